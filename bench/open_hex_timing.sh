#!/usr/bin/env bash
# Whole-process time and peak memory of opening a hex file of 5001 full
# records (40,008 words) with `mirelsim-batch --kind hex --steps 1`, in a
# Release build of its own. Usage: bench/open_hex_timing.sh [RUNS]
set -euo pipefail
runs="${1:-5}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${MIRELSIM_RELEASE_BUILD:-$root/build-release}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMIRELSIM_BUILD_GUI=OFF >/dev/null
cmake --build "$build" --target mirelsim-batch make_big_hex >/dev/null
"$build/bench/make_big_hex" "$build/big.hex"
echo "file: $(grep -c "^:" "$build/big.hex") records, $(wc -c <"$build/big.hex") bytes"
open_once() { "$build/tools/mirelsim-batch" --kind hex --steps 1 "$build/big.hex" >/dev/null; }
/usr/bin/time -f "one run: elapsed %e s, peak memory %M KB" \
    "$build/tools/mirelsim-batch" --kind hex --steps 1 "$build/big.hex" >/dev/null
start=$(date +%s%N)
for _ in $(seq "$runs"); do open_once; done
end=$(date +%s%N)
echo "whole process: $(((end - start) / runs / 1000)) us per run, mean of $runs runs"
