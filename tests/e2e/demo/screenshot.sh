#!/usr/bin/env bash
# Shows the tool under Wine beside the demo Kelconfig.ini and saves a screenshot of its window.
# Uses $DISPLAY, or a private Xvfb when there is none (then Wine draws the window's frame itself,
# since no window manager does).
#
#   screenshot.sh <svcman.exe> <show_tool.exe> <output folder>
# Leaves <output folder>/tool (the tool and its Kelconfig.ini) and <output folder>/screenshot.png.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
tool_exe="$1"
show_exe="$2"
out="$(mkdir -p "$3" && cd "$3" && pwd)"

source "$root/scripts/wine-env.sh"
own_xvfb=""
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb_if_needed
  own_xvfb="$XVFB_PID"
fi
cleanup() {
  [ -n "${show_pid:-}" ] && kill "$show_pid" 2>/dev/null || true
  if [ -n "$own_xvfb" ]; then
    timeout 30 "$WINESERVER" -k >/dev/null 2>&1 || true
    kill "$own_xvfb" 2>/dev/null || true
  fi
}
trap cleanup EXIT
wine_prefix_ready

bash "$here/install-demo.sh" "$tool_exe" "$out/tool"
# Without a window manager nobody draws the caption bar; ask Wine to draw it.
if [ -n "$own_xvfb" ] || ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
fi

ready="$out/ready.txt"
done_file="$out/done.txt"
rm -f "$ready" "$done_file" "$out/screenshot.png"
"$WINE" "$show_exe" "$out/tool" "$ready" "$done_file" >"$out/show_tool.log" 2>&1 &
show_pid=$!
for _ in $(seq 1 600); do
  [ -s "$ready" ] && break
  kill -0 "$show_pid" 2>/dev/null || break
  sleep 0.1
done
[ -s "$ready" ] || { echo "screenshot: the tool's window never became ready" >&2; exit 1; }
read -r left top width height <"$ready"
import -window root -crop "${width}x${height}+${left}+${top}" +repage "$out/screenshot.png"
touch "$done_file"
status=0
wait "$show_pid" || status=$?
show_pid=""
[ "$status" -eq 0 ] || { echo "screenshot: the tool did not end with exit code 0" >&2; exit 1; }
size="$(identify -format '%wx%h' "$out/screenshot.png")"
[ "$size" = "496x285" ] || { echo "screenshot: $size, not the window's 496x285" >&2; exit 1; }
echo "screenshot: $out/screenshot.png ($size)"
