#!/usr/bin/python3
"""Writes the benchmark drawings (N foundation-sized groups, as bench/ezdxf_bench.py builds them)
for the browser benchmark: bench_N.dxf in DIR.

    /usr/bin/python3 bench/web/make_drawings.py DIR 1000 10000
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import ezdxf_bench  # noqa: E402


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for n in (int(a) for a in sys.argv[2:]):
        path = os.path.join(folder, f"bench_{n}.dxf")
        if not os.path.exists(path):
            ezdxf_bench.build(n).saveas(path)
        print(path)


if __name__ == "__main__":
    main()
