#!/usr/bin/python3
"""A grid drawn the way MIRROR leaves it, built with Debian's python3-ezdxf.

    /usr/bin/python3 ezdxf_mirrored.py write OUT.dxf
    /usr/bin/python3 ezdxf_mirrored.py read FILE.dxf

write: layer MGRID holds vertical grid lines as LWPOLYLINEs with extrusion 0,0,-1 (their own x
coordinates are the negated world ones), LINEs and one more mirrored LWPOLYLINE across them;
layer DECOR a mirrored CIRCLE, ARC, TEXT and INSERT. Prints, one per line, the grid's crossings
in world coordinates as ezdxf computes them ("CROSSING x y") and the world centre of the circle
("CIRCLE x y r").
read: prints the extrusion and world centre of every CIRCLE and the extrusion of every
LWPOLYLINE ("CIRCLE x y z nx ny nz", "LWPOLYLINE nx ny nz").
"""
import logging
import sys

import ezdxf

logging.getLogger("ezdxf").setLevel(logging.ERROR)
MIRRORED = (0, 0, -1)


def world_points(polyline):
    ocs = polyline.ocs()
    z = polyline.dxf.elevation
    return [ocs.to_wcs((x, y, z)) for x, y in polyline.get_points("xy")]


def write(path):
    doc = ezdxf.new("R2013")
    msp = doc.modelspace()
    doc.layers.add("MGRID")
    doc.layers.add("DECOR")
    grid = {"layer": "MGRID"}
    mirrored = {"layer": "MGRID", "extrusion": MIRRORED}
    for x in (-1000, -3000, -5000):
        msp.add_lwpolyline([(x, -500), (x, 4500)], dxfattribs=mirrored)
    for y in (0, 2000):
        msp.add_line((500, y), (5500, y), dxfattribs=grid)
    msp.add_lwpolyline([(-500, 4000), (-5500, 4000)], dxfattribs=mirrored)

    decor = {"layer": "DECOR", "extrusion": MIRRORED}
    circle = msp.add_circle((-8000, 1000), 300, dxfattribs=decor)
    msp.add_arc((-8000, 2000), 250, 0, 90, dxfattribs=decor)
    msp.add_text("MIRRORED", height=100, dxfattribs=dict(decor, insert=(-8000, 3000)))
    block = doc.blocks.new("MARK")
    block.add_circle((0, 0), 100)
    msp.add_blockref("MARK", (-9000, 2000), dxfattribs=decor)
    doc.saveas(path)

    verticals, horizontals = [], []
    for e in msp.query("LWPOLYLINE LINE[layer=='MGRID']"):
        a, b = world_points(e) if e.dxftype() == "LWPOLYLINE" else (e.dxf.start, e.dxf.end)
        (verticals if abs(a.x - b.x) < 1e-9 else horizontals).append((a, b))
    for v, _ in verticals:
        for h, _ in horizontals:
            print(f"CROSSING {v.x!r} {h.y!r}")
    centre = circle.ocs().to_wcs(circle.dxf.center)
    print(f"CIRCLE {centre.x!r} {centre.y!r} {circle.dxf.radius!r}")


def read(path):
    doc = ezdxf.readfile(path)
    msp = doc.modelspace()
    for c in msp.query("CIRCLE"):
        w = c.ocs().to_wcs(c.dxf.center)
        n = c.dxf.extrusion
        print(f"CIRCLE {w.x!r} {w.y!r} {w.z!r} {n.x!r} {n.y!r} {n.z!r}")
    for p in msp.query("LWPOLYLINE"):
        n = p.dxf.extrusion
        print(f"LWPOLYLINE {n.x!r} {n.y!r} {n.z!r}")


if __name__ == "__main__":
    (write if sys.argv[1] == "write" else read)(sys.argv[2])
