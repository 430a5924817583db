#!/usr/bin/env bash
# Runs the demo script on the embedded default installation and says where the results are.
set -euo pipefail
build=${1:-build}
profile="$build/demo-profile"
rm -rf "$profile"
"$build/veld" run support/demo/demo.veld --profile "$profile"
