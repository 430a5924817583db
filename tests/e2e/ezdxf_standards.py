#!/usr/bin/python3
"""The drawing standards of a DXF file as Debian's python3-ezdxf reads them, one fact a line.

    /usr/bin/python3 ezdxf_standards.py FILE.dxf

    USERR1 <value>                      DIMSTYLE_CURRENT <name>
    LAYER <name> <colour> <linetype>    LTYPE <name> <number of dash elements>
    STYLE <name> <font file>            DIMSTYLE <name> <dimtxt> <dimscale> <dimasz> <text style>
    COUNT <entity type> <layer> <n>     (model space)
    DIMTEXT <dimension style> <height>  (each height of a text in a dimension's block, once)
    INSERT <layer> <x scale>
Exit code 0 when the file loaded, 2 when it did not.
"""
import logging
import sys
from collections import Counter

import ezdxf

logging.getLogger("ezdxf").setLevel(logging.ERROR)


def number(value):
    return f"{float(value):g}"


def tables(doc):
    yield f"USERR1 {number(doc.header.get('$USERR1', 0))}"
    yield f"DIMSTYLE_CURRENT {doc.header.get('$DIMSTYLE', '')}"
    for layer in doc.layers:
        yield f"LAYER {layer.dxf.name} {layer.dxf.color} {layer.dxf.linetype}"
    for ltype in doc.linetypes:
        dashes = [t for t in ltype.pattern_tags.tags if t.code == 49]
        yield f"LTYPE {ltype.dxf.name} {len(dashes)}"
    for style in doc.styles:
        yield f"STYLE {style.dxf.name} {style.dxf.font}"
    for dim in doc.dimstyles:
        yield (f"DIMSTYLE {dim.dxf.name} {number(dim.dxf.dimtxt)} {number(dim.dxf.dimscale)} "
               f"{number(dim.dxf.dimasz)} {dim.dxf.get('dimtxsty', '')}")


def entities(doc):
    counts = Counter((e.dxftype(), e.dxf.layer) for e in doc.modelspace())
    for (kind, layer), n in sorted(counts.items()):
        yield f"COUNT {kind} {layer} {n}"
    heights = set()
    for dim in doc.modelspace().query("DIMENSION"):
        block = doc.blocks.get(dim.dxf.get("geometry", ""))
        for e in block if block is not None else []:
            if e.dxftype() in ("TEXT", "MTEXT"):
                h = e.dxf.height if e.dxftype() == "TEXT" else e.dxf.char_height
                heights.add(f"DIMTEXT {dim.dxf.dimstyle} {number(h)}")
    yield from sorted(heights)
    for ref in doc.modelspace().query("INSERT"):
        yield f"INSERT {ref.dxf.layer} {number(ref.dxf.xscale)}"


try:
    doc = ezdxf.readfile(sys.argv[1])
except Exception as e:  # noqa: BLE001 - any failure to load is reported the same way
    print(f"ERROR {e}")
    sys.exit(2)
for fact in list(tables(doc)) + list(entities(doc)):
    print(fact)
