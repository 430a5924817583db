#!/usr/bin/python3
"""Compares two DXF drawings written by veld after normalising their handles, with ezdxf.

    /usr/bin/python3 dxf_same_drawing.py A.dxf B.dxf

Model-space entities in file order (type, attributes, attached attributes, extended data with
handles replaced by the position of the entity they name), block definitions by name, and
groups (members as positions). Prints one JSON object {"same": bool, "differences": [...],
"counts": {...}}; exit code 0 when the drawings are the same, 1 when they differ, 2 when one
cannot be read.
"""
import json
import logging
import sys

import ezdxf
from ezdxf.math import Vec2, Vec3

logging.getLogger("ezdxf").setLevel(logging.ERROR)
SKIPPED = {"handle", "owner"}


def plain(value):
    if isinstance(value, (Vec2, Vec3)):
        return [round(c, 6) for c in value]
    if isinstance(value, float):
        return round(value, 6)
    if isinstance(value, (list, tuple)):
        return [plain(v) for v in value]
    return value


def attributes(entity):
    return {k: plain(v) for k, v in sorted(entity.dxfattribs().items()) if k not in SKIPPED}


def xdata(entity, labels):
    result = {}
    if not entity.xdata:
        return result
    for app in sorted(entity.xdata.data.keys()):
        tags = []
        for tag in entity.get_xdata(app):
            value = labels.get(tag.value, "?") if tag.code == 1005 else plain(tag.value)
            tags.append([tag.code, value])
        result[app] = tags
    return result


def describe(entity, labels):
    item = {"type": entity.dxftype(), "attributes": attributes(entity), "xdata": xdata(entity, labels)}
    if entity.dxftype() == "INSERT":
        item["attribs"] = [[a.dxf.tag, a.dxf.text, plain(a.dxf.insert)] for a in entity.attribs]
    return item


def normalised(path):
    doc = ezdxf.readfile(path)
    msp = list(doc.modelspace())
    labels = {e.dxf.handle: f"#{i}" for i, e in enumerate(msp)}
    blocks = {}
    for block in doc.blocks:
        if not block.name.startswith("*"):
            blocks[block.name] = [describe(e, labels) for e in block]
    groups = {}
    for name, group in doc.groups:
        key = name if not name.startswith("*") else "*"
        groups.setdefault(key, []).append(sorted(labels.get(e.dxf.handle, "?") for e in group))
    for members in groups.values():
        members.sort()
    return {"entities": [describe(e, labels) for e in msp], "blocks": blocks, "groups": groups}


def differences(a, b, where=""):
    if type(a) is not type(b):
        return [f"{where}: {json.dumps(a, ensure_ascii=False)[:200]} != {json.dumps(b, ensure_ascii=False)[:200]}"]
    if isinstance(a, dict):
        found = []
        for key in sorted(set(a) | set(b), key=str):
            if key not in a or key not in b:
                found.append(f"{where}/{key}: only in {'second' if key not in a else 'first'}")
            else:
                found += differences(a[key], b[key], f"{where}/{key}")
        return found
    if isinstance(a, list):
        found = [] if len(a) == len(b) else [f"{where}: {len(a)} items != {len(b)} items"]
        for i, (x, y) in enumerate(zip(a, b)):
            found += differences(x, y, f"{where}[{i}]")
        return found
    return [] if a == b else [f"{where}: {a!r} != {b!r}"]


def main():
    try:
        first, second = normalised(sys.argv[1]), normalised(sys.argv[2])
    except (OSError, ezdxf.DXFError) as error:
        print(json.dumps({"same": False, "failure": str(error)}))
        return 2
    found = differences(first, second)
    counts = {"entities": len(first["entities"]), "groups": sum(len(v) for v in first["groups"].values())}
    print(json.dumps({"same": not found, "differences": found[:20], "counts": counts}, ensure_ascii=False))
    return 0 if not found else 1


if __name__ == "__main__":
    sys.exit(main())
