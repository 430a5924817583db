#!/usr/bin/python3
"""A drawing as other programs write it, and what a save kept of another drawing, with Debian's
python3-ezdxf.

    /usr/bin/python3 ezdxf_fidelity.py build OUT.dxf
    /usr/bin/python3 ezdxf_fidelity.py compare BEFORE.dxf AFTER.dxf [BEFORE.dxf AFTER.dxf ...]
    /usr/bin/python3 ezdxf_fidelity.py corpus TOOLS SOURCE.dxf SAVED.dxf [SOURCE.dxf SAVED.dxf ...]

build: an R2013 drawing with mirrored entities (extrusion 0,0,-1) of every kind the host models,
thickness, lineweight, true colour, transparency, a point angle, an arrayed block reference, a
complex linetype with a text and one with shapes (and the shape-file style they use), a second
paper-space layout with its own viewport and entities, and a grid of plain lines on layer 通り芯
at x = 0, 6000 and y = 0, 6000.

compare: every entity, table record and object of BEFORE must be in AFTER under the same handle
with every DXF attribute, extended data, reactors and kind-specific data (vertices, linetype
pattern, dictionary entries: AFTER may list more) equal; what AFTER has in addition (a placed
foundation, its layers and blocks) is not looked at. Prints one JSON object per pair, one a line:
loaded, compared (how many records), differences (the first 40, one text each),
difference_count. Exit code 0 when every file loaded, 2 when one did not.

corpus: a file of another program against veld's save of it, with the round-trip comparison in
the folder TOOLS (dxf_roundtrip_compare.py, which matches records by name and kind, not handle).
One JSON object per pair: status, lost, changed (attributes; the version and handle seed are not
counted, nor the group dictionary's entries, which the placed foundation's group joins),
entities_lost.
"""
import json
import logging
import math
import sys
import tempfile

import ezdxf
from ezdxf.math import Vec2, Vec3

logging.getLogger("ezdxf").setLevel(logging.ERROR)

MIRRORED = {"extrusion": (0, 0, -1)}
LOOK = {"lineweight": 35, "true_color": 0x3366CC, "transparency": 0x0200007F, "thickness": 25.0}


def look(thickness=True, **more):
    attribs = dict(LOOK)
    if not thickness:
        del attribs["thickness"]
    attribs.update(more)
    return attribs


def styles_and_linetypes(doc):
    doc.styles.new("LTSHAPES", dxfattribs={"font": "ltypeshp.shx", "flags": 1})
    doc.linetypes.add("GAS", pattern='A,.5,-.2,["GAS",STANDARD,S=.1,U=0.0,X=-0.1,Y=-.05],-.25',
                      description="Gas ----GAS----GAS----", length=0.95)
    doc.linetypes.add("BATT", description="Batting SSSS", length=0.4001,
                      pattern="A,.0001,-.1,[132,ltypeshp.shx,x=-.1,s=.1],-.2,"
                              "[132,ltypeshp.shx,r=180,x=.1,s=.1],-.1")
    walls = doc.layers.add("Walls", color=3, linetype="GAS")
    walls.dxf.lineweight = 50
    walls.dxf.true_color = 0x112233
    doc.layers.add("通り芯", color=1)


def fixture_block(doc):
    block = doc.blocks.new("FIXTURE")
    block.add_circle((0, 0), 100)
    block.add_line((0, 0), (300, 0))
    return block


def mirrored_entities(msp):
    # Away from the grid so that picks near its crossings find only the foundation.
    msp.add_line((-20000, 1000, 0), (-22000, 1500, 0),
                 dxfattribs=look(linetype="GAS", layer="Walls", ltscale=2.0, **MIRRORED))
    msp.add_circle((-21000, 3000), 400, dxfattribs=look(linetype="BATT", **MIRRORED))
    msp.add_arc((-23000, 3000), 500, 30, 160, dxfattribs=look(**MIRRORED))
    text = msp.add_text("鏡像 MIRROR", dxfattribs=look(height=250, rotation=15, **MIRRORED))
    text.dxf.insert = (-20000, 5000)
    text.dxf.text_generation_flag = 2
    msp.add_lwpolyline([(-20000, 7000, 0, 0, 0.5), (-22000, 7000, 10, 10, 0), (-22000, 8000)],
                       format="xyseb", close=True,
                       dxfattribs=look(elevation=12.5, const_width=0, **MIRRORED))
    msp.add_blockref("FIXTURE", (-20000, 10000),
                     dxfattribs=look(False, rotation=30, xscale=2, yscale=2, zscale=2, **MIRRORED))
    array = msp.add_blockref("FIXTURE", (20000, 10000), dxfattribs=look(False, rotation=10))
    array.grid(size=(2, 3), spacing=(800, 1200))
    msp.add_point((20000, 12000), dxfattribs=look(angle=33.0))


def grid(msp):
    for x in (0, 6000):
        msp.add_line((x, -3000), (x, 9000), dxfattribs={"layer": "通り芯"})
    for y in (0, 6000):
        msp.add_line((-3000, y), (9000, y), dxfattribs={"layer": "通り芯"})


def second_layout(doc):
    sheet = doc.layouts.new("Sheet2")
    sheet.add_viewport(center=(150, 100), size=(250, 180), view_center_point=(3000, 3000),
                       view_height=12000)
    sheet.add_line((10, 10), (400, 10), dxfattribs=look())
    sheet.add_text("SHEET 2", dxfattribs=look(height=5, insert=(10, 20), **MIRRORED))


def build(path):
    doc = ezdxf.new("R2013")
    styles_and_linetypes(doc)
    fixture_block(doc)
    msp = doc.modelspace()
    mirrored_entities(msp)
    grid(msp)
    second_layout(doc)
    doc.saveas(path)


# ---------------------------------------------------------------------------------------------
def norm(value):
    if isinstance(value, (Vec2, Vec3)):
        return tuple(float(c) for c in value)
    if isinstance(value, (list, tuple)):
        return tuple(norm(v) for v in value)
    if hasattr(value, "tolist"):
        return norm(value.tolist())
    return value


def same(a, b):
    if isinstance(a, (int, float)) and isinstance(b, (int, float)):
        return math.isclose(a, b, rel_tol=1e-12, abs_tol=1e-12)
    if isinstance(a, tuple) and isinstance(b, tuple):
        return len(a) == len(b) and all(same(x, y) for x, y in zip(a, b))
    return a == b


def extras(e):
    """Data ezdxf keeps outside the DXF attributes."""
    x = {"xdata": None, "reactors": None}
    if e.xdata is not None:
        x["xdata"] = {app: norm([(t.code, t.value) for t in tags])
                      for app, tags in e.xdata.data.items()}
    if getattr(e, "reactors", None) is not None:
        x["reactors"] = tuple(sorted(e.reactors.get()))
    kind = e.dxftype()
    if kind == "LWPOLYLINE":
        x["points"] = norm(list(e.get_points("xyseb")))
    elif kind == "LTYPE":
        x["pattern"] = norm([(t.code, t.value) for t in e.pattern_tags.tags])
    elif kind == "VIEWPORT":
        x["frozen"] = tuple(e.frozen_layers)
    elif kind == "INSERT":
        x["attribs"] = tuple(a.dxf.handle for a in e.attribs)
    elif kind == "BLOCK_RECORD":
        x["entities"] = tuple(en.dxf.handle for en in e.entity_space)
    return x


def dictionary_entries(d):
    return {k: (v if isinstance(v, str) else v.dxf.handle) for k, v in d.items()}


def file_handles(path, doc):
    """The handles written in the file (ezdxf makes some records of its own when it loads)."""
    encoding = "utf-8" if doc.dxfversion >= "AC1021" else doc.encoding
    with open(path, "rt", encoding=encoding, errors="surrogateescape") as fp:
        lines = [line.strip() for line in fp]
    pairs = [(lines[i], lines[i + 1]) for i in range(0, len(lines) - 1, 2)]
    return {value for (code, value), before in zip(pairs, [("", "")] + pairs)
            if code in ("5", "105") and before != ("9", "$HANDSEED")}


def differences(before, after, written):
    found, compared = [], 0
    for handle, b in before.entitydb.items():
        if not b.is_alive or handle not in written:
            continue
        compared += 1
        a = after.entitydb.get(handle)
        where = "%s #%s" % (b.dxftype(), handle)
        if a is None or a.dxftype() != b.dxftype():
            found.append("%s: not in the saved drawing" % where)
            continue
        keys = set(b.dxf.all_existing_dxf_attribs()) | set(a.dxf.all_existing_dxf_attribs())
        for key in sorted(keys):
            vb, va = norm(b.dxf.get_default(key)), norm(a.dxf.get_default(key))
            if not same(vb, va):
                found.append("%s.%s: %r -> %r" % (where, key, vb, va))
        xb, xa = extras(b), extras(a)
        if b.dxftype() == "BLOCK_RECORD" and b.dxf.name.upper() in ("*MODEL_SPACE",):
            xb.pop("entities", None)  # the foundation goes there
            xa.pop("entities", None)
        for key in sorted(xb):
            if not same(xb[key], xa.get(key)):
                found.append("%s %s: %r -> %r" % (where, key, xb[key], xa.get(key)))
        if b.dxftype() in ("DICTIONARY", "ACDBDICTIONARYWDFLT"):
            eb, ea = dictionary_entries(b), dictionary_entries(a)
            lost = {k: v for k, v in eb.items() if ea.get(k) != v}
            if lost:
                found.append("%s entries lost: %r" % (where, lost))
    return compared, found


def compare(before_path, after_path):
    try:
        before, after = ezdxf.readfile(before_path), ezdxf.readfile(after_path)
    except Exception as e:  # noqa: BLE001 - any failure to load is reported the same way
        print(json.dumps({"loaded": False, "failure": str(e)}))
        return 2
    compared, found = differences(before, after, file_handles(before_path, before))
    print(json.dumps({"loaded": True, "compared": compared, "differences": found[:40],
                      "difference_count": len(found)}, ensure_ascii=False))
    return 0


def corpus(tools, pairs):
    sys.path.insert(0, tools)
    import dxf_roundtrip_compare as rt  # noqa: E402 - found in the folder given
    noise = ("HEADER $ACADVER", "HEADER $HANDSEED")
    logs = tempfile.mkdtemp(prefix="veld-fidelity-")
    worst = 0
    for source, saved in pairs:
        r = rt.compare_file(source, saved, logs, False, logs)
        if r.get("status") != "compared":
            print(json.dumps({"status": r.get("status")}))
            worst = 2
            continue
        n = {kind: sum(c for what, c in m.items() if not what.startswith(noise))
             for kind, m in r["diffs"].items()}
        # The group dictionary lists the placed foundation's group in addition.
        groups = [x for x in r.get("examples", {}).get("changed|DICTIONARY.entries", [])
                  if "ACAD_GROUP" in x.get("where", "")]
        n["changed"] = n.get("changed", 0) - len(groups)
        print(json.dumps({"status": "compared", "lost": n.get("lost", 0),
                          "changed": n.get("changed", 0),
                          "entities_lost": sum((r.get("entities_lost") or {}).values())}))
    return worst


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "build":
        build(sys.argv[2])
    elif len(sys.argv) >= 4 and len(sys.argv) % 2 == 0 and sys.argv[1] == "compare":
        pairs = zip(sys.argv[2::2], sys.argv[3::2])
        sys.exit(max(compare(before, after) for before, after in pairs))
    elif len(sys.argv) >= 5 and len(sys.argv) % 2 == 1 and sys.argv[1] == "corpus":
        sys.exit(corpus(sys.argv[2], list(zip(sys.argv[3::2], sys.argv[4::2]))))
    else:
        print(__doc__)
        sys.exit(2)
