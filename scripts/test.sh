#!/usr/bin/env bash
# Builds everything and runs every test: the portable core and the command line natively
# under ASan and UBSan, the benchmarks once, and the Windows build (core, Win32 and end-to-end tests)
# under Wine. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

echo "== format"
clang-format --dry-run --Werror $(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')

echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== benchmark"
cmake --preset bench >/dev/null
cmake --build --preset bench
build/bench/remark_bench --benchmark_min_time=0.3

echo "== command line benchmark (figures only)"
bench/cli_bench.sh 1

echo "== windows build and tests under wine"
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows
