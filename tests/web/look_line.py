#!/usr/bin/python3
"""Prints, as JSON [x, y], the middle of the first LINE on a layer of a DXF drawing (model
space, file order): where a person clicks to pick that line.

    /usr/bin/python3 look_line.py FILE.dxf LAYER
"""
import json
import logging
import sys

import ezdxf

logging.getLogger("ezdxf").setLevel(logging.ERROR)
doc = ezdxf.readfile(sys.argv[1])
for line in doc.modelspace().query("LINE"):
    if line.dxf.layer == sys.argv[2]:
        mid = (line.dxf.start + line.dxf.end) / 2
        print(json.dumps([mid.x, mid.y]))
        sys.exit(0)
print("null")
sys.exit(1)
