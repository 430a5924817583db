#!/usr/bin/python3
"""Writes a veld script that draws an N x N grid of lines on the search layer and places a
triangular foundation at every crossing in one bulk FNDD pass (one window, no symbols).

    /usr/bin/python3 bench/grid_pass.py N OUT.veld [SPACING]

Run it with `veld run OUT.veld --out OUT.dxf` (a fresh profile: --profile DIR).
"""
import sys


def grid_script(n, spacing):
    lines = ["-LAYER", "Make", "通り芯", ""]
    far = (n - 1) * spacing
    for k in range(n):
        at = k * spacing
        lines += ["LINE", f"{at},-2000", f"{at},{far + 2000}", ""]
        lines += ["LINE", f"-2000,{at}", f"{far + 2000},{at}", ""]
    lines += ["FNDD", "check LABEL_CHECK off", "check STRUCTURE_MARK_CHECK off",
              "check BULK_CHECK on", "select SERCH_LAYER 通り芯", "ok",
              f"{-spacing / 2},{-spacing / 2}", f"{far + spacing / 2},{far + spacing / 2}",
              "", "cancel"]
    return "\n".join(lines) + "\n"


def main():
    n = int(sys.argv[1])
    spacing = float(sys.argv[3]) if len(sys.argv) > 3 else 3000.0
    with open(sys.argv[2], "w", encoding="utf-8") as out:
        out.write(grid_script(n, spacing))


if __name__ == "__main__":
    main()
