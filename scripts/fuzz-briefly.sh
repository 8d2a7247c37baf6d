#!/bin/sh
# Builds the libFuzzer targets with clang and runs each one briefly
# (FUZZ_SECONDS, default 20), starting from its committed seed corpus.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-20}
CC=clang CXX=clang++ cmake -S "$top" -B "$top/build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOLVANE_FUZZ=ON -DTOLVANE_TESTS=OFF >/dev/null
cmake --build "$top/build/fuzz" -j"$(nproc)"
found=0
for target in "$top"/build/fuzz/bin/fuzz_*; do
  [ -x "$target" ] || continue
  found=1
  name=$(basename "$target")
  corpus="$top/build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="$top/tests/fuzz/seeds/$name"
  echo "-- $name for ${seconds}s"
  if [ -d "$seeds" ]; then
    "$target" -max_total_time="$seconds" -print_final_stats=0 "$corpus" "$seeds" >"$top/build/fuzz/$name.log" 2>&1 ||
      { tail -40 "$top/build/fuzz/$name.log"; exit 1; }
  else
    "$target" -max_total_time="$seconds" "$corpus" >"$top/build/fuzz/$name.log" 2>&1 ||
      { tail -40 "$top/build/fuzz/$name.log"; exit 1; }
  fi
done
[ "$found" = 1 ] || echo "no fuzz targets"
