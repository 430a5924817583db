#!/usr/bin/python3
"""Writes a plan as another program would: a structural grid on the layer GRID and nothing of
the office standards (no foundation layers, no FOUNDATION dimension style, USERR1 0).

Usage: /usr/bin/python3 docs/guide/make_plan.py plan.dxf
"""
import sys

import ezdxf

SPAN_X = [0, 6000, 12000, 18000]
SPAN_Y = [0, 6000, 12000]
OVERHANG = 2000


def make_plan(path):
    doc = ezdxf.new("R2013")
    doc.header["$INSUNITS"] = 4
    doc.layers.add("GRID", color=1)
    msp = doc.modelspace()
    for x in SPAN_X:
        msp.add_line((x, SPAN_Y[0] - OVERHANG), (x, SPAN_Y[-1] + OVERHANG),
                     dxfattribs={"layer": "GRID"})
    for y in SPAN_Y:
        msp.add_line((SPAN_X[0] - OVERHANG, y), (SPAN_X[-1] + OVERHANG, y),
                     dxfattribs={"layer": "GRID"})
    doc.saveas(path)


if __name__ == "__main__":
    make_plan(sys.argv[1] if len(sys.argv) > 1 else "plan.dxf")
