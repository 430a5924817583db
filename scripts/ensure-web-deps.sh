#!/usr/bin/env bash
# Installs what the browser tests need: Node.js with npm (when the machine has none), Debian's
# chromium and a Japanese font, and the npm packages of tests/web as locked. Playwright never
# downloads a browser here; the tests use /usr/bin/chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(chromium fonts-noto-cjk)
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)
scripts/ensure-packages.sh "${packages[@]}"
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
for dir in tests/web; do
    if [ ! -d "$dir/node_modules" ] || [ "$dir/package-lock.json" -nt "$dir/node_modules" ]; then
        npm ci --prefix "$dir" --no-audit --no-fund --loglevel=error
        touch "$dir/node_modules"
    fi
done
