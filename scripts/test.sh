#!/usr/bin/env bash
# Every test tier, from a fresh Debian 12 machine: installs what is missing, builds the native
# tests under AddressSanitizer and UndefinedBehaviorSanitizer, builds the i686 release and the
# x86_64 program with its Windows tests, and runs every test in one ctest run (the Windows ones
# under Wine and Xvfb). Ends with ctest's summary line; fails when any test fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/setup.sh
jobs="$(nproc)"

echo "== native (sanitizers)"
cmake --preset native-sanitize >/dev/null
cmake --build build/native-sanitize -j "$jobs"

echo "== win32 (i686 release)"
cmake --preset win32 >/dev/null
cmake --build build/win32 -j "$jobs"
bash scripts/report-size.sh build/win32/svcman.exe

echo "== win64 (x86_64 program and Windows tests)"
cmake --preset win64 >/dev/null
cmake --build build/win64 -j "$jobs"

# One ctest run over both trees, so one summary line covers every tier.
mkdir -p build/all
cat > build/all/CTestTestfile.cmake <<CTEST
subdirs("$root/build/native-sanitize")
subdirs("$root/build/win64")
CTEST

source scripts/wine-env.sh
start_xvfb_if_needed
cleanup() {
  timeout 30 "$WINESERVER" -k >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
wine_prefix_ready

echo "== tests"
ctest --test-dir build/all --output-on-failure -j "$jobs"
