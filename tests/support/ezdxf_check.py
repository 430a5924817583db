#!/usr/bin/python3
"""Independent check of a DXF file written by veld, with Debian's python3-ezdxf.

    /usr/bin/python3 ezdxf_check.py [--lenient] FILE.dxf [FILE.dxf ...]

Loads the file with ezdxf's normal (strict) loader, runs ezdxf's audit, and checks what that
audit does not: every application name used by extended data is in the APPID table; every GROUP
member exists and lies in model space (members read from the raw file, in file order).
Prints one JSON object: loaded, failure, version, errors (list of texts), error_count,
fix_count, counts (entities per type in model space, attributes of block references counted as
"ATTRIB(attached)"), block_counts (entities per type in all blocks but the layouts), groups.
With several files, one JSON object per line, in the order given.
Exit code 0: loaded without errors; 1: loaded with errors; 2: not loaded (the worst of all files).
--lenient decodes bytes that are not valid in the file's code page instead of failing, for
files written by other programs.
"""
import collections
import json
import logging
import sys

try:
    import ezdxf
    from ezdxf.lldxf import const
except ImportError as e:  # the C++ helper turns this into a test failure
    print(json.dumps({"loaded": False, "failure": f"ezdxf not importable: {e}", "no_ezdxf": True}))
    sys.exit(3)

logging.getLogger("ezdxf").setLevel(logging.ERROR)


def load(path, lenient):
    try:
        return ezdxf.readfile(path, errors="surrogateescape" if lenient else "strict"), None
    except UnicodeDecodeError as e:
        return None, f"decode error: {e}"
    except const.DXFError as e:
        return None, f"{type(e).__name__}: {e}"
    except Exception as e:  # ezdxf itself failed on the input
        return None, f"{type(e).__name__}: {e}"


def count_entities(entities):
    counts = collections.Counter()
    for e in entities:
        counts[e.dxftype()] += 1
        if e.dxftype() == "INSERT":
            counts["ATTRIB(attached)"] += len(e.attribs)
    return counts


def raw_groups(path, doc):
    """GROUP objects as written: handle -> member handles in file order."""
    encoding = "utf-8" if doc.dxfversion >= "AC1021" else doc.encoding
    groups = {}
    with open(path, "rb") as fp:
        if fp.read(22) == b"AutoCAD Binary DXF\r\n\x1a\x00":
            return groups
    with open(path, "rt", encoding=encoding, errors="surrogateescape") as fp:
        lines = [line.rstrip("\r\n") for line in fp]
    section, current = None, None
    for i in range(0, len(lines) - 1, 2):
        code, value = int(lines[i].strip()), lines[i + 1]
        if code == 2 and section == "?":
            section = value
        if code == 0:
            current = None
            if value == "SECTION":
                section = "?"
            elif value == "GROUP" and section == "OBJECTS":
                current = {"handle": None, "members": []}
        elif current is not None:
            if code == 5:
                current["handle"] = value
                groups[value] = current
            elif code == 340:
                current["members"].append(value)
    return groups


def check_groups(path, doc, errors):
    msp_key = doc.modelspace().layout_key
    names = {g.dxf.handle: name for name, g in doc.groups}
    out = []
    for handle, g in raw_groups(path, doc).items():
        name = names.get(handle)
        if name is None:
            errors.append(f"GROUP #{handle} is not in the ACAD_GROUP dictionary")
        for m in g["members"]:
            e = doc.entitydb.get(m)
            if e is None:
                errors.append(f"GROUP {name} member #{m} does not exist")
            elif e.dxf.get("owner") != msp_key:
                errors.append(f"GROUP {name} member #{m} is not in model space")
        out.append({"name": name, "handle": handle, "members": g["members"]})
    return out


def check_appids(doc, errors):
    registered = {e.dxf.name.upper() for e in doc.appids}
    for entity in list(doc.entitydb.values()):
        xdata = getattr(entity, "xdata", None)
        if not xdata:
            continue
        for appid in xdata.data.keys():
            if appid.upper() not in registered:
                errors.append(f"XDATA application {appid} of {entity} is not in the APPID table")


def main(argv):
    lenient = "--lenient" in argv
    paths = [a for a in argv if not a.startswith("--")]
    if not paths:
        print(__doc__, file=sys.stderr)
        return 64
    return max(check(path, lenient) for path in paths)


def check(path, lenient):
    doc, failure = load(path, lenient)
    if doc is None:
        print(json.dumps({"loaded": False, "failure": failure}, ensure_ascii=False), flush=True)
        return 2
    result = {"loaded": True, "version": doc.dxfversion}
    result["counts"] = dict(sorted(count_entities(doc.modelspace()).items()))
    blocks = collections.Counter()
    for block in doc.blocks:
        if not block.is_any_layout:
            blocks.update(count_entities(block))
    result["block_counts"] = dict(sorted(blocks.items()))
    errors = []
    try:
        auditor = doc.audit()
        errors += [f"audit [{x.code}] {x.message}" for x in auditor.errors]
        result["fix_count"] = len(auditor.fixes)
        result["fixes"] = [f"[{x.code}] {x.message}" for x in auditor.fixes][:20]
    except Exception as e:
        errors.append(f"audit crashed: {type(e).__name__}: {e}")
    check_appids(doc, errors)
    try:
        result["groups"] = check_groups(path, doc, errors)
    except Exception as e:
        errors.append(f"group check failed: {type(e).__name__}: {e}")
    result["errors"] = errors
    result["error_count"] = len(errors)
    print(json.dumps(result, ensure_ascii=False), flush=True)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
