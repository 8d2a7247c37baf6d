#!/bin/sh
# Builds one of the three builds: native, win64 (mingw x86_64) or win32 (mingw i686).
# Usage: scripts/build.sh native|win64|win32 [extra cmake arguments]
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
kind=$1; shift
case "$kind" in
  native) toolchain="" ;;
  win64)  toolchain="-DCMAKE_TOOLCHAIN_FILE=$top/cmake/toolchain-mingw-x86_64.cmake" ;;
  win32)  toolchain="-DCMAKE_TOOLCHAIN_FILE=$top/cmake/toolchain-mingw-i686.cmake" ;;
  *) echo "usage: $0 native|win64|win32" >&2; exit 2 ;;
esac
cmake -S "$top" -B "$top/build/$kind" -G Ninja -DCMAKE_BUILD_TYPE=Release $toolchain "$@" >/dev/null
cmake --build "$top/build/$kind" -j"$(nproc)"
