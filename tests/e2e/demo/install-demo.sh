#!/usr/bin/env bash
# Puts a copy of the tool into a folder beside the demo Kelconfig.ini, converted from its UTF-8
# source to what the tool reads: code page 936 with CR LF line ends.
#
#   install-demo.sh <svcman.exe> <folder>
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$2"
cp "$1" "$2/svcman.exe"
iconv -f UTF-8 -t CP936 "$here/Kelconfig.ini.utf8" | sed 's/$/\r/' >"$2/Kelconfig.ini"
