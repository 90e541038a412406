#!/usr/bin/env bash
# Builds the .conf reader's fuzz target with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs it for a bounded time:
#     fuzz/run.sh [SECONDS]        (default 60)
# Exits non-zero on any crash, leak, sanitizer report, or input that takes over a second.
# Without clang++ it says so and exits 0. Work files and findings go to fuzz/work/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(dirname "$here")
seconds=${1:-60}

if ! command -v clang++ >/dev/null 2>&1; then
    echo "fuzz: clang++ is not installed; skipping the fuzzing run."
    exit 0
fi
if ! qt_flags=$(pkg-config --cflags --libs Qt5Core); then
    echo "fuzz: pkg-config cannot find Qt5Core." >&2
    exit 1
fi

work="$here/work"
mkdir -p "$work/corpus"
target="$work/fuzz_reader"

echo "fuzz: building $target"
# shellcheck disable=SC2086
clang++ -std=c++17 -g -O1 -fPIC -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$top/src/model" "$here/fuzz_reader.cpp" "$top"/src/model/*.cpp \
    $qt_flags -o "$target"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$top/scripts/lsan.supp:print_suppressions=0"

echo "fuzz: running for $seconds s"
# New inputs go to the first folder; the seeds and the examples are only read.
status=0
"$target" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
    -artifact_prefix="$work/" -print_final_stats=1 \
    "$work/corpus" "$here/corpus" "$top/examples" || status=$?
if [ "$status" -ne 0 ]; then
    echo "fuzz: the reader failed (exit status $status); the input is in $work/" >&2
    exit "$status"
fi
echo "fuzz: no crash, leak, sanitizer report or slow input in $seconds s."
