#!/usr/bin/env bash
# Converts the sample configuration kept in UTF-8 with LF line ends into what the tool reads:
# code page 936 with CR LF line ends, no byte-order mark. Fails when the conversion would lose
# anything, so a character outside code page 936 never reaches the release.
#
#   dist-template/make-kelconfig.sh <source in UTF-8> <Kelconfig.ini to write>
set -euo pipefail
source="$1"
target="$2"
fail() { echo "make-kelconfig: $*" >&2; rm -f "$target"; exit 1; }

iconv -f UTF-8 -t CP936 "$source" | sed 's/$/\r/' > "$target" || fail "$source is not convertible"
cmp -s <(iconv -f CP936 -t UTF-8 "$target" | tr -d '\r') "$source" \
  || fail "$target does not convert back to $source"
[ "$(od -An -tx1 -N3 "$target" | tr -d ' \n')" != "efbbbf" ] || fail "$target starts with a BOM"
lines=$(wc -l < "$target")
crlf=$(grep -c $'\r$' "$target" || true)
[ "$lines" -eq "$crlf" ] || fail "$target has line ends other than CR LF"
