#!/usr/bin/env bash
# Installs everything the builds, tests, benchmarks and the demo need on Debian 12.
# Safe to run again: it installs only what is missing and regenerates nothing that exists.
set -euo pipefail

packages=(
  cmake make g++ ninja-build clang-format
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine64 xvfb x11-utils imagemagick locales xauth
  fonts-wine fonts-wqy-microhei
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine maps file names through the C library's locale: without zh_CN.UTF-8 installed,
# paths holding Chinese characters are not found.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  $SUDO localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
