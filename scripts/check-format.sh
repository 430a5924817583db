#!/usr/bin/env bash
# Fails when a tracked C++ source is not formatted as the project's .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format)
git ls-files -z '*.cpp' '*.h' | xargs -0 "$format" --dry-run --Werror
echo "format: every tracked C++ source is formatted"
