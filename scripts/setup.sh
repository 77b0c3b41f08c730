#!/usr/bin/env bash
# Installs what building and testing Inkwarden needs on Debian 12. Idempotent: a
# second run finds everything present and installs nothing.
set -euo pipefail

# libcli11-dev: inkwarden's argument parser. reuse, time, nodejs and libxext-dev: the
# command line's benchmark (REUSE to measure against, GNU time for peak memory, and enough
# C headers in /usr/include, one of them Latin-1).
packages=(cmake ninja-build g++ googletest libbenchmark-dev clang-format libcli11-dev git
          mingw-w64 wine wine64 xvfb xauth locales fonts-wqy-microhei imagemagick x11-utils xdotool
          reuse time nodejs libxext-dev)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}"
fi

# The Windows tests run with a Chinese locale so Wine's ANSI code page is 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
        echo 'zh_CN.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen >/dev/null
fi
