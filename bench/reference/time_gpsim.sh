#!/usr/bin/env bash
# Times gpsim on the seven programs of core_workloads, written here in the usual
# assembler's syntax, so that the two simulators can be compared on this machine.
# For reference only: neither the build nor CI uses gpasm or gpsim.
#
#   bench/reference/time_gpsim.sh [CYCLES, default 50000000]
#
# gpsim's "step N" counts instruction cycles, not instructions, so each program's
# cycles an instruction (as build/bench/core_workloads prints them) turn cycles
# into instructions. Start-up is taken off by a run of 1000 cycles; each run
# is the best of five, the short and the long run taking turns.
set -euo pipefail
cycles="${1:-50000000}"
short=1000
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Name, file, cycles an instruction over a long run.
programs=(
    "multiply multiply 1.2064"
    "divide divide 1.1972"
    "bcd bcd 1.2697"
    "gcd gcd 1.4132"
    "fibonacci fibonacci 1.1046"
    "bit count bit_count 1.3023"
    "counting loop counting_loop 1.3342"
)

# Nanoseconds one run of gpsim takes for $2 cycles of hex file $1.
run_ns() {
    printf 'step %s\nquit\n' "$2" > "$work/steps.stc"
    local start end
    start=$(date +%s%N)
    gpsim -i -p p16f84 -c "$work/steps.stc" "$1" > /dev/null 2>&1
    end=$(date +%s%N)
    echo $((end - start))
}

for entry in "${programs[@]}"; do
    read -r -a words <<< "$entry"
    cpi="${words[-1]}"
    file="${words[-2]}"
    name="${words[*]:0:${#words[@]}-2}"
    gpasm -q -o "$work/$file.hex" "$here/$file.asm"
    best_short=""
    best_long=""
    for _ in 1 2 3 4 5; do
        t=$(run_ns "$work/$file.hex" "$short")
        [ -z "$best_short" ] || [ "$t" -lt "$best_short" ] && best_short=$t
        t=$(run_ns "$work/$file.hex" "$cycles")
        [ -z "$best_long" ] || [ "$t" -lt "$best_long" ] && best_long=$t
    done
    awk -v name="$name" -v cycles="$((cycles - short))" -v ns="$((best_long - best_short))" \
        -v cpi="$cpi" -v total="$cycles" 'BEGIN {
            printf "%s: %.0f instructions/s (gpsim -i -p p16f84, step %d)\n",
                name, cycles / cpi / (ns / 1e9), total }'
done
