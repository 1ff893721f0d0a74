#!/usr/bin/env bash
# Prints a Windows executable's size and the DLLs it imports.
set -euo pipefail
exe="$1"
size=$(stat -c %s "$exe")
imports=$(x86_64-w64-mingw32-objdump -p "$exe" 2>/dev/null | sed -n 's/^\s*DLL Name: //p' | sort -u | tr '\n' ' ')
echo "$exe: $size bytes ($(( (size + 1023) / 1024 )) KB); imports: $imports"
