#!/usr/bin/python3
"""Writes the sample drawing, the foundation symbol block and the standards drawing of the
embedded installation.

Run with Debian's python3-ezdxf: /usr/bin/python3 support/tools/make_support_drawings.py support
The files are committed; this script only documents how they were made.
"""
import sys
from pathlib import Path

import ezdxf

GRID_LAYER = "通り芯"
LABEL_LAYER = "通り名"
FOUNDATION_LAYERS = {
    "基礎見かけ線": 3,
    "基礎外周線": 4,
    "基礎寸法線": 2,
    "基礎符号": 6,
}
SPAN_X = [0, 6000, 12000, 18000, 24000, 30000]
SPAN_Y = [0, 6000, 12000, 18000, 24000]
OVERHANG = 2000


def add_dimstyle(doc):
    style = doc.dimstyles.new("FOUNDATION")
    style.dxf.dimscale = 100
    style.dxf.dimtxt = 2.5
    style.dxf.dimasz = 2.0
    style.dxf.dimexo = 1.0
    style.dxf.dimexe = 1.0
    style.dxf.dimgap = 0.8
    style.dxf.dimdec = 0
    style.dxf.dimtad = 1
    style.dxf.dimtsz = 0


def sample_drawing(path: Path):
    doc = ezdxf.new("R2013")
    doc.header["$USERR1"] = 100.0
    doc.header["$INSUNITS"] = 4
    doc.layers.add(GRID_LAYER, color=1, linetype="CENTER")
    doc.layers.add(LABEL_LAYER, color=1)
    for name, color in FOUNDATION_LAYERS.items():
        doc.layers.add(name, color=color)
    if "DefPoints" not in doc.layers:
        doc.layers.add("DefPoints", color=7)
    doc.layers.get("DefPoints").dxf.plot = 0
    add_dimstyle(doc)
    msp = doc.modelspace()
    y_min, y_max = SPAN_Y[0] - OVERHANG, SPAN_Y[-1] + OVERHANG
    x_min, x_max = SPAN_X[0] - OVERHANG, SPAN_X[-1] + OVERHANG
    for i, x in enumerate(SPAN_X, start=1):
        msp.add_line((x, y_min), (x, y_max), dxfattribs={"layer": GRID_LAYER, "ltscale": 100})
        msp.add_circle((x, y_min - 600), 600, dxfattribs={"layer": LABEL_LAYER})
        msp.add_text(f"X{i}", height=500, dxfattribs={"layer": LABEL_LAYER}).set_placement(
            (x, y_min - 600), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)
    for j, y in enumerate(SPAN_Y, start=1):
        msp.add_line((x_min, y), (x_max, y), dxfattribs={"layer": GRID_LAYER, "ltscale": 100})
        msp.add_circle((x_min - 600, y), 600, dxfattribs={"layer": LABEL_LAYER})
        msp.add_text(f"Y{j}", height=500, dxfattribs={"layer": LABEL_LAYER}).set_placement(
            (x_min - 600, y), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)
    doc.saveas(path)


# The office standards every new drawing starts from and -STANDARDS brings into an open one.
# Sizes are plotted millimetres; the plot scale 1:USERR1 turns them into drawing units.
STANDARDS_LAYERS = [
    # name, colour, linetype
    (GRID_LAYER, 1, "CENTER"),
    ("基礎見かけ線", 3, "Continuous"),
    ("基礎外周線", 4, "HIDDEN"),
    ("基礎寸法線", 2, "Continuous"),
    ("基礎符号", 6, "Continuous"),
]
STANDARDS_LINETYPES = [
    ("CENTER", "Center ____ _ ____ _ ____", [12.0, -2.0, 2.0, -2.0]),
    ("HIDDEN", "Hidden __ __ __ __ __", [4.0, -1.5]),
]
STANDARDS_TEXT_STYLE = "基礎文字"
STANDARDS_SCALE = 100.0


def standards_drawing(path: Path):
    doc = ezdxf.new("R2013", setup=False)
    doc.header["$USERR1"] = STANDARDS_SCALE
    doc.header["$INSUNITS"] = 4
    doc.header["$MEASUREMENT"] = 1
    doc.header["$LTSCALE"] = STANDARDS_SCALE
    for name, description, dashes in STANDARDS_LINETYPES:
        doc.linetypes.add(name, pattern=[sum(abs(d) for d in dashes)] + dashes,
                          description=description)
    for name, color, linetype in STANDARDS_LAYERS:
        doc.layers.add(name, color=color, linetype=linetype)
    doc.layers.get("Defpoints").dxf.name = "DefPoints"
    doc.layers.get("DefPoints").dxf.plot = 0
    style = doc.styles.new(STANDARDS_TEXT_STYLE, dxfattribs={"font": "msgothic.ttc", "width": 0.8})
    style.set_extended_font_data("ＭＳ ゴシック")
    dim = doc.dimstyles.new("FOUNDATION")
    dim.dxf.dimscale = STANDARDS_SCALE
    dim.dxf.dimtxt = 2.5
    dim.dxf.dimasz = 2.5
    dim.dxf.dimexo = 1.0
    dim.dxf.dimexe = 1.5
    dim.dxf.dimgap = 1.0
    dim.dxf.dimdec = 0
    dim.dxf.dimtad = 1
    dim.dxf.dimtsz = 0
    dim.dxf.dimtxsty = STANDARDS_TEXT_STYLE
    doc.header["$DIMSTYLE"] = "FOUNDATION"
    doc.header["$TEXTSTYLE"] = STANDARDS_TEXT_STYLE
    doc.saveas(path)


def symbol_block(path: Path):
    """A circle with the mark in its middle and the three levels around it.

    The insertion asks the attributes in definition order: MARK, BOTTOM_LEVEL, BASE_HEIGHT,
    UPPER_SLANT. Sizes are in plot millimetres; the insertion scales them by USERR1.
    """
    doc = ezdxf.new("R2013")
    msp = doc.modelspace()
    msp.add_circle((0, 0), 6)
    msp.add_line((-6, 0), (6, 0))
    attdefs = [
        ("MARK", "基礎符号", (0, 1.2), 3.0),
        ("BOTTOM_LEVEL", "下端レベル", (8, 2.0), 2.0),
        ("BASE_HEIGHT", "基礎成", (8, -1.0), 2.0),
        ("UPPER_SLANT", "上端勾配", (8, -4.0), 2.0),
    ]
    for tag, prompt, insert, height in attdefs:
        attdef = msp.add_attdef(tag, insert=insert, height=height, text="")
        attdef.dxf.prompt = prompt
        if tag == "MARK":
            attdef.set_placement(insert, align=ezdxf.enums.TextEntityAlignment.BOTTOM_CENTER)
    doc.header["$INSBASE"] = (0, 0, 0)
    doc.saveas(path)


def main(root: str):
    support = Path(root)
    (support / "DWG").mkdir(parents=True, exist_ok=True)
    (support / "sample").mkdir(parents=True, exist_ok=True)
    sample_drawing(support / "sample" / "grid.dxf")
    symbol_block(support / "DWG" / "基礎符号-0.dxf")
    (support / "TEMPLATE").mkdir(parents=True, exist_ok=True)
    standards_drawing(support / "TEMPLATE" / "VELDOR-STANDARDS.dxf")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "support")
