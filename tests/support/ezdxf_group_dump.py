#!/usr/bin/python3
"""The groups of a DXF file as Debian's python3-ezdxf reads them, for tests of placed drawings.

    /usr/bin/python3 ezdxf_group_dump.py FILE.dxf

One line per record, fields separated by tabs:
    GROUP   handle  member-count                      (groups in dictionary order)
    MEMBER  handle  type  layer  x y z x y z ...      (members in group order; the points are
                                                       LINE start, end; POINT location; DIMENSION
                                                       defpoint, defpoint2, defpoint3; TEXT insert,
                                                       align point; INSERT insert)
    XDATA   code    value                             (the member's extended data as stored, every
                                                       application in turn, 1001 items included;
                                                       points as x,y,z)
Exit code 0 when the file loaded, 2 when it did not.
"""
import logging
import sys

try:
    import ezdxf
except ImportError as e:
    print(f"ERROR\tezdxf not importable: {e}")
    sys.exit(3)

logging.getLogger("ezdxf").setLevel(logging.ERROR)

POINT_ATTRIBUTES = {
    "LINE": ("start", "end"),
    "POINT": ("location",),
    "DIMENSION": ("defpoint", "defpoint2", "defpoint3"),
    "TEXT": ("insert", "align_point"),
    "INSERT": ("insert",),
}


def number(value):
    return repr(float(value))


def member_line(entity):
    kind = entity.dxftype()
    fields = ["MEMBER", entity.dxf.handle, kind, entity.dxf.get("layer", "0")]
    for name in POINT_ATTRIBUTES.get(kind, ()):
        point = entity.dxf.get(name, (0.0, 0.0, 0.0))
        fields += [number(c) for c in (tuple(point) + (0.0, 0.0, 0.0))[:3]]
    return "\t".join(fields)


def xdata_lines(entity):
    xdata = getattr(entity, "xdata", None)
    if not xdata:
        return []
    lines = []
    for tags in xdata.data.values():
        for tag in tags:
            value = tag.value
            if isinstance(value, (tuple, list)) or hasattr(value, "x"):
                text = ",".join(number(c) for c in tuple(value))
            else:
                text = str(value)
            lines.append(f"XDATA\t{tag.code}\t{text}")
    return lines


def main(argv):
    if len(argv) != 1:
        print(__doc__, file=sys.stderr)
        return 64
    try:
        doc = ezdxf.readfile(argv[0])
    except Exception as e:  # the test shows why the file did not load
        print(f"ERROR\t{type(e).__name__}: {e}")
        return 2
    for _, group in doc.groups:
        members = list(group)
        print(f"GROUP\t{group.dxf.handle}\t{len(members)}")
        for entity in members:
            print(member_line(entity))
            for line in xdata_lines(entity):
                print(line)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
