#!/usr/bin/env bash
# Builds the tool and starts it under Wine beside a demo Kelconfig.ini (code page 936, CR LF) in
# build/demo. On your display the tool runs until you close its window; on a machine without a
# display it runs under Xvfb and a screenshot of its window is saved instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/setup.sh
jobs="$(nproc)"
cmake --preset win64 >/dev/null
cmake --build build/win64 -j "$jobs" --target svcman show_tool
cmake --preset win32 >/dev/null
cmake --build build/win32 -j "$jobs" --target svcman
bash scripts/report-size.sh build/win32/svcman.exe
bash scripts/report-size.sh build/win64/svcman.exe
echo "Built build/win32/svcman.exe (the release) and build/win64/svcman.exe (run here under Wine)."

demo="$root/build/demo"
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: showing the tool under Xvfb and saving a screenshot."
  bash tests/e2e/demo/screenshot.sh build/win64/svcman.exe build/win64/tests/e2e/demo/show_tool.exe \
    "$demo"
  exit 0
fi

source scripts/wine-env.sh
wine_prefix_ready
bash tests/e2e/demo/install-demo.sh build/win64/svcman.exe "$demo/tool"
# Let the window manager draw the frame when there is one; otherwise Wine draws it.
decorated=N
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && decorated=Y
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d "$decorated" /f >/dev/null 2>&1
echo "Starting $demo/tool/svcman.exe on $DISPLAY; close its window to end."
cd "$demo/tool"
"$WINE" ./svcman.exe
