#!/usr/bin/env bash
# Produces the release folder dist/ in one command: the i686 executable (preset win32), a sample
# Kelconfig.ini in code page 936 with CR LF line ends, and the user guide in Chinese.
#
#   scripts/release.sh [output folder]     (default: dist)
#
# SVCMAN_BUILD_DIR chooses the build folder (default: build/win32, the preset's own).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
out="${1:-dist}"
build="${SVCMAN_BUILD_DIR:-build/win32}"

fail() { echo "release: $*" >&2; exit 1; }

bash scripts/setup.sh
cmake --preset win32 -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)" --target svcman
exe="$build/svcman.exe"

# The release must be the 32-bit program and one self-contained file: no MinGW runtime DLLs.
i686-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-i386' || fail "$exe is not an i686 program"
imports=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
if grep -Eq 'libstdc|libgcc|libwinpthread|msvcp' <<<"$imports"; then
  fail "$exe needs runtime DLLs: $(tr '\n' ' ' <<<"$imports")"
fi

rm -rf "$out"
mkdir -p "$out"
cp "$exe" "$out/svcman.exe"

# The tool reads its configuration as code page 936 with CR LF line ends; the sample is kept in
# UTF-8 in the tree and converted (and checked) here.
bash dist-template/make-kelconfig.sh dist-template/Kelconfig.ini.utf8 "$out/Kelconfig.ini"

cp docs/guide-zh.md "$out/使用说明.md"

echo "release: $out/"
ls -l "$out"
bash scripts/report-size.sh "$out/svcman.exe"
