#!/usr/bin/python3
"""Saves and opens, with ezdxf, the drawing bench_dxf.cpp saves and opens with veld: N
foundation-sized groups, each of 12 lines, 6 aligned dimensions (with geometry blocks), 1 point,
every entity with extended data of 4 applications (33 indexed strings; a handle and two points;
two small ones), the entities of a group in one GROUP.

    /usr/bin/python3 bench/ezdxf_bench.py N [DIR]

Prints one JSON line: seconds (wall clock and CPU) for save and open, file size, entities.
"""
import json
import os
import sys
import tempfile
import time

import ezdxf

APPS = ["VELD_INDEX", "VELD_LINK", "VELD_A", "VELD_B"]


def xdata_for(i, handle):
    return {
        "VELD_INDEX": [(1000, f"item {k} of {i}") for k in range(33)],
        "VELD_LINK": [(1005, handle), (1010, (i, 1.0, 0.0)), (1010, (i, 2.0, 0.0))],
        "VELD_A": [(1070, i % 30000)],
        "VELD_B": [(1040, i * 0.5)],
    }


def build(n):
    doc = ezdxf.new("R2013")
    for app in APPS:
        doc.appids.new(app)
    msp = doc.modelspace()
    for g in range(n):
        x0 = (g % 100) * 20000.0
        y0 = (g // 100) * 20000.0
        members = []
        for k in range(12):
            members.append(msp.add_line((x0 + k * 100, y0), (x0 + k * 100 + 1500, y0 + 1000)))
        for k in range(6):
            dim = msp.add_aligned_dim(p1=(x0, y0 + k * 300), p2=(x0 + 1500, y0 + k * 300), distance=500)
            dim.render()
            members.append(dim.dimension)
        members.append(msp.add_point((x0, y0)))
        for i, e in enumerate(members):
            for app, tags in xdata_for(g * 19 + i, members[0].dxf.handle).items():
                e.set_xdata(app, tags)
        group = doc.groups.new()
        group.extend(members)
    return doc


def main():
    n = int(sys.argv[1]) if len(sys.argv) > 1 else 1000
    folder = sys.argv[2] if len(sys.argv) > 2 else tempfile.gettempdir()
    path = os.path.join(folder, f"ezdxf_bench_{n}.dxf")
    doc = build(n)
    t0, c0 = time.perf_counter(), time.process_time()
    doc.saveas(path)
    t1, c1 = time.perf_counter(), time.process_time()
    loaded = ezdxf.readfile(path)
    t2, c2 = time.perf_counter(), time.process_time()
    entities = len(loaded.modelspace())
    print(json.dumps({"n": n, "save_s": t1 - t0, "open_s": t2 - t1, "save_cpu_s": c1 - c0,
                      "open_cpu_s": c2 - c1, "bytes": os.path.getsize(path),
                      "modelspace_entities": entities}))
    os.remove(path)


if __name__ == "__main__":
    main()
