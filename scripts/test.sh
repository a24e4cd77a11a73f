#!/usr/bin/env bash
# Sets up the machine, then builds and tests the project twice: a release build with warnings
# as errors, and a debug build under AddressSanitizer and UndefinedBehaviorSanitizer. Last,
# the fuzz targets are built with clang and replay their seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

for preset in release asan; do
    echo "=== ${preset} build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    echo "=== ${preset} tests"
    ctest --preset "$preset"
done

echo "=== fuzz targets (corpus replay)"
cmake --preset fuzz >/dev/null
fuzzers=(archive image window settings replay)
cmake --build --preset fuzz --target "${fuzzers[@]/%/_fuzzer}"
for fuzzer in "${fuzzers[@]}"; do
    "build/fuzz/fuzz/${fuzzer}_fuzzer" -runs=0 "fuzz/corpus/${fuzzer}"
done
