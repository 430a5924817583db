#!/usr/bin/env bash
# Runs the demo script with a fresh profile in the build folder and says where the results are.
set -euo pipefail
build=${1:-build}
profile="$build/demo-profile"
rm -rf "$profile"
"$build/veld" run support/demo/demo.veld --profile "$profile" \
    --out "$build/demo.dxf" --svg "$build/demo.svg"
echo
echo "Drawing: $build/demo.dxf"
echo "Picture: $build/demo.svg"
echo "Profile: $profile"
