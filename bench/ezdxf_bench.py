#!/usr/bin/python3
"""Saves and opens, with ezdxf, the drawing bench_dxf.cpp saves and opens with veld: N
foundation-sized groups, each of 12 lines, 6 aligned dimensions (with geometry blocks), 1 point,
every entity with extended data of 4 applications (33 indexed strings; a handle and two points;
two small ones), the entities of a group in one GROUP.

    /usr/bin/python3 bench/ezdxf_bench.py N [DIR] [--keep]
    /usr/bin/python3 bench/ezdxf_bench.py --open-save FILE.dxf OUT.dxf

Prints one JSON line: seconds (wall clock and CPU) for save and open, file size, entities.
--keep leaves DIR/ezdxf_bench_N.dxf in place (the large drawing the other benchmarks open);
--open-save only opens an existing drawing and saves it again, for the side-by-side figures.
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


def open_save(source, target):
    t0, c0 = time.perf_counter(), time.process_time()
    doc = ezdxf.readfile(source)
    t1, c1 = time.perf_counter(), time.process_time()
    doc.saveas(target)
    t2, c2 = time.perf_counter(), time.process_time()
    print(json.dumps({"open_s": t1 - t0, "save_s": t2 - t1, "open_cpu_s": c1 - c0,
                      "save_cpu_s": c2 - c1, "bytes": os.path.getsize(source)}))


def main():
    args = [a for a in sys.argv[1:] if a != "--keep"]
    if args and args[0] == "--open-save":
        open_save(args[1], args[2])
        return
    n = int(args[0]) if args else 1000
    folder = args[1] if len(args) > 1 else tempfile.gettempdir()
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
    if "--keep" not in sys.argv:
        os.remove(path)


if __name__ == "__main__":
    main()
