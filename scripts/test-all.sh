#!/bin/sh
# Every test: the native build's tests, the Windows x86_64 build's tests under
# Wine (headless, under Xvfb), the i686 build checked to need no DLL but the
# system's own, and the fuzz targets run briefly.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

echo "== native build and tests"
scripts/build.sh native
ctest --test-dir build/native --output-on-failure -j2

echo "== Windows x86_64 build, tests under Wine"
scripts/build.sh win64
xvfb-run -a ctest --test-dir build/win64 --output-on-failure -j2

echo "== Windows i686 build (32-bit XP)"
scripts/build.sh win32
scripts/check-dlls.sh build/win32/bin
ctest --test-dir build/win32 -R distribution_zip --output-on-failure

if [ -x scripts/fuzz-briefly.sh ]; then
  echo "== fuzz targets, briefly"
  scripts/fuzz-briefly.sh
fi
