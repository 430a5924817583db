#!/usr/bin/python3
"""The groups of a DXF file as Debian's python3-ezdxf reads them, for tests of placed drawings.

    /usr/bin/python3 ezdxf_group_dump.py FILE.dxf

One line per record, fields separated by tabs:
    GROUP   handle  member-count                      (groups in file order)
    MEMBER  handle  type  layer  x y z x y z ...      (members in the order the GROUP object
                                                       lists them, each entity as ezdxf loaded
                                                       it; the points are
                                                       LINE start, end; POINT location; DIMENSION
                                                       defpoint, defpoint2, defpoint3; TEXT insert,
                                                       align point; INSERT insert)
    XDATA   code    value                             (the member's extended data as stored, every
                                                       application in turn, 1001 items included;
                                                       points as x,y,z)
Exit code 0 when the file loaded, 2 when it did not.
ezdxf 0.18 does not keep a group's member order when it loads a file, so the order is read from
the GROUP objects' 340 items as written.
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


def group_members_in_file_order(path):
    """GROUP handle -> member handles, in file order (ASCII DXF, UTF-8 as written by veld)."""
    with open(path, "rt", encoding="utf-8", errors="surrogateescape") as fp:
        lines = [line.rstrip("\r\n") for line in fp]
    groups, current, section = {}, None, None
    for i in range(0, len(lines) - 1, 2):
        code, value = int(lines[i].strip()), lines[i + 1]
        if code == 0:
            current = None
            if value == "GROUP" and section == "OBJECTS":
                current = []
            elif value == "SECTION":
                section = "?"
        elif code == 2 and section == "?":
            section = value
        elif current is not None and code == 5:
            groups[value] = current
        elif current is not None and code == 340:
            current.append(value)
    return groups


def main(argv):
    if len(argv) != 1:
        print(__doc__, file=sys.stderr)
        return 64
    try:
        doc = ezdxf.readfile(argv[0])
    except Exception as e:  # the test shows why the file did not load
        print(f"ERROR\t{type(e).__name__}: {e}")
        return 2
    for handle, member_handles in group_members_in_file_order(argv[0]).items():
        print(f"GROUP\t{handle}\t{len(member_handles)}")
        for member in member_handles:
            entity = doc.entitydb.get(member)
            if entity is None:
                print(f"ERROR\tmember {member} of GROUP {handle} not loaded")
                return 1
            print(member_line(entity))
            for line in xdata_lines(entity):
                print(line)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
