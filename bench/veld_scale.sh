#!/usr/bin/env bash
# The executable at scale, figures as ratios measured in one run (by hand, not part of make test):
#   1. a bulk FNDD pass over 32 x 32 and over 100 x 100 grid crossings through `veld run`;
#   2. the large ezdxf drawing opened with an empty script, and opened and saved, against
#      ezdxf reading and writing the same file.
# Wall time is shown, but the ratios use processor time (user + system): on a shared machine
# wall time mostly measures the other work.
#
#   bench/veld_scale.sh BUILD_DIR DRAWING.dxf [WORK_DIR]
# DRAWING.dxf: bench/ezdxf_bench.py 10000 DIR --keep writes DIR/ezdxf_bench_10000.dxf.
set -euo pipefail
build=$(realpath "$1")
drawing=$(realpath "$2")
work=${3:-$(mktemp -d)}
here=$(dirname "$(realpath "$0")")
mkdir -p "$work"
cd "$work"

# Runs a command, prints "label: wall s, cpu s, peak MB" and leaves the cpu seconds in $cpu.
measure() {
    local label=$1
    shift
    /usr/bin/time -f "%e %U %S %M" -o time.txt "$@" > /dev/null
    read -r wall user sys peak < time.txt
    cpu=$(echo "$user + $sys" | bc)
    peakKb=$peak
    printf '%-34s wall %7.2f s  cpu %7.2f s  peak %6.0f MB\n' "$label" "$wall" "$cpu" \
        "$(echo "$peak / 1024" | bc)"
}

ratio() { echo "scale=2; $1 / $2" | bc; }

for n in 32 100; do
    /usr/bin/python3 "$here/grid_pass.py" "$n" "grid$n.veld"
    rm -rf "profile$n"
    measure "bulk pass $((n * n)) foundations" \
        "$build/veld" run "grid$n.veld" --profile "profile$n" --out "grid$n.dxf"
    eval "cpu$n=$cpu"
done
echo "10,000 against 1,024 foundations: $(ratio "$cpu100" "$cpu32")x the processor time" \
    "(linear: $(ratio 10000 1024)x)"

echo > empty.veld
rm -rf profile
"$build/veld" run empty.veld --profile profile > /dev/null # the profile made once
measure "veld open (empty script)" "$build/veld" run empty.veld --profile profile \
    --drawing "$drawing"
veldOpen=$cpu
veldPeakKb=$peakKb
measure "veld open + save" "$build/veld" run empty.veld --profile profile --drawing "$drawing" \
    --out veld_saved.dxf
veldOpenSave=$cpu
measure "ezdxf open + save" /usr/bin/python3 "$here/ezdxf_bench.py" --open-save "$drawing" \
    ezdxf_saved.dxf
ezdxfOpenSave=$cpu
objects=$(grep -c -x -E ' *(5|105)' "$drawing" || true)
echo "objects in the drawing (handles): $objects;" \
    "veld's peak memory when opening: $(echo "$veldPeakKb * 1024 / $objects" | bc) bytes per object"
echo "open + save: ezdxf takes $(ratio "$ezdxfOpenSave" "$veldOpenSave")x the processor time" \
    "of veld (veld open alone: $(ratio "$ezdxfOpenSave" "$veldOpen")x less than ezdxf's both)"
