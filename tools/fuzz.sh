#!/usr/bin/env bash
# Builds the fuzzers (clang, AddressSanitizer + UBSan) and runs each for a bounded time; a crash or a leak fails.
#   tools/fuzz.sh [SECONDS_EACH]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
tools/setup-deps.sh
command -v clang++ >/dev/null || { echo "clang++ is needed for the fuzzers"; exit 1; }
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for name in ini disk_stat exec_quoting; do
    corpus="build/fuzz/corpus/$name"
    mkdir -p "$corpus"
    seeds="tests/data/fuzz/${name%_quoting}"
    [ "$name" = exec_quoting ] && seeds="tests/data/fuzz/exec"
    echo "== fuzz_$name for ${seconds}s"
    "build/fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 -max_len=65536 \
        "$corpus" "$seeds" 2>&1 | grep -E 'stat::number_of_executed_units|stat::average_exec_per_sec|ERROR|SUMMARY|Done' || true
    test "${PIPESTATUS[0]}" -eq 0
done
