#!/usr/bin/env bash
# Runs the demo script on the sample grid drawing with a fresh profile in the build folder and
# says where the results are.
set -euo pipefail
build=${1:-build}
profile="$build/demo-profile"
rm -rf "$profile"
"$build/veld" run support/demo/demo.veld --profile "$profile" \
    --drawing support/sample/grid.dxf --out "$build/demo.dxf" --svg "$build/demo.svg"
echo
echo "Drawing: $build/demo.dxf"
echo "Picture: $build/demo.svg"
echo "Profile: $profile"
echo
echo "To open it in the browser: $build/veld serve $build/demo.dxf"
