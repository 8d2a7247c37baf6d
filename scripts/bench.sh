#!/bin/sh
# Builds the benchmarks (Release) and runs each one; they print figures and
# are not tests. wimlib (libwim-dev) is the LZX yardstick the cabinet
# benchmarks measure against; the product never links it. The corpora are
# taken from files on the machine: Wine's Windows DLLs for PE code.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
if ! dpkg -s libwim-dev >/dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends libwim-dev >/dev/null
fi
cmake -S "$top" -B "$top/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BENCHMARKS=ON \
  -DTOLVANE_TESTS=OFF >/dev/null
cmake --build "$top/build/bench" -j"$(nproc)"
for name in scan_benchmark cabinet_benchmark lzx_benchmark makecab_benchmark; do
  echo "== $name"
  "$top/build/bench/bin/$name"
done
