#!/usr/bin/python3
"""The block references in model space of a DXF file as Debian's python3-ezdxf reads them.

    /usr/bin/python3 ezdxf_inserts.py FILE.dxf

One line per reference, fields separated by tabs: block name, x, y, z, X scale, rotation, then
TAG=TEXT per attribute in order. Exit code 0 when the file loaded, 2 when it did not.
"""
import logging
import sys

import ezdxf

logging.getLogger("ezdxf").setLevel(logging.ERROR)

try:
    doc = ezdxf.readfile(sys.argv[1])
except Exception as e:  # noqa: BLE001 - any failure to load is reported the same way
    print(f"ERROR\t{e}")
    sys.exit(2)
for ref in doc.modelspace().query("INSERT"):
    fields = [ref.dxf.name] + [repr(float(c)) for c in ref.dxf.insert]
    fields += [repr(float(ref.dxf.xscale)), repr(float(ref.dxf.rotation))]
    fields += [f"{a.dxf.tag}={a.dxf.text}" for a in ref.attribs]
    print("\t".join(fields))
