#!/usr/bin/env bash
# make install's tree works on its own and can be moved: installs the build into a temporary
# prefix, moves that prefix elsewhere, and runs the demo with the moved veld only.
# Usage: check-install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/first" >/dev/null
mv "$work/first" "$work/moved"
veld="$work/moved/bin/veld"
if readelf -d "$veld" "$work/moved/lib/veld/"*.arx | grep -E 'R(UN)?PATH' | grep -F "$build"; then
    echo "the installed files still look into the build tree" >&2
    exit 1
fi
cd "$work"
env -u VELD_SUPPORT_DIR -u VELD_MODULE "$veld" run "$source/support/demo/demo.veld" \
    --drawing "$source/support/sample/grid.dxf" --out "$work/demo.dxf" --profile "$work/profile" \
    >"$work/transcript.txt"
grep -q '^Command: FNDD' "$work/transcript.txt"
test -s "$work/demo.dxf"
test -f "$work/profile/VELDOR.ini"
/usr/bin/python3 "$source/tests/support/ezdxf_check.py" "$work/demo.dxf" >/dev/null
echo "install: the moved installation ran the demo"
