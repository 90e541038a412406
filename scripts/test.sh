#!/usr/bin/env bash
# Sets everything up and runs the whole test suite: a normal build with its Debian package, a
# build under AddressSanitizer and UndefinedBehaviorSanitizer, and bounded fuzzing runs of the
# reader and of the set checks under edits.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
jobs=$(nproc)

scripts/setup.sh --tests

echo "== Normal build =="
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

echo "== Debian package =="
packaging/check-package.sh build

echo "== Sanitizer build (address, undefined) =="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELTORA_SANITIZE=ON -DVELTORA_BENCHMARKS=OFF >/dev/null
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$top/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build-asan && ctest --output-on-failure -j"$jobs")

echo "== Fuzzing the file reader and the set checks under edits =="
fuzz/run.sh 60

echo "All tests passed."
