#!/usr/bin/env bash
# Builds the model's fuzz targets with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# and runs each for a bounded time:
#     fuzz/run.sh [SECONDS]        (default 60, for each target)
# fuzz_reader reads any bytes as a .conf file; fuzz_edits reads them as a sequence of edits and
# compares the set checks with their plain definitions after each; fuzz_records reads them as
# recorded vehicles (CSV).
# Exits non-zero on any crash, leak, sanitizer report, disagreement, or input that takes over a
# second. Without clang++ it says so and exits 0. Work files and findings go to fuzz/work/.
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
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$top/scripts/lsan.supp:print_suppressions=0"

# fuzz TARGET SEED_FOLDER...: new inputs go to the target's own folder; the seeds are only read.
# $extra_sources names sources beyond the model's that the target needs.
extra_sources=""
fuzz() {
    local name=$1
    shift
    mkdir -p "$work/corpus-$name"
    echo "fuzz: building $work/$name"
    # shellcheck disable=SC2086
    clang++ -std=c++17 -g -O1 -fPIC -fno-omit-frame-pointer \
        -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"$top/src/model" -I"$top/src/analysis" "$here/$name.cpp" "$top"/src/model/*.cpp \
        $extra_sources \
        $qt_flags -o "$work/$name"
    echo "fuzz: running $name for $seconds s"
    local status=0
    "$work/$name" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
        -artifact_prefix="$work/$name-" -print_final_stats=1 \
        "$work/corpus-$name" "$@" || status=$?
    if [ "$status" -ne 0 ]; then
        echo "fuzz: $name failed (exit status $status); the input is in $work/" >&2
        exit "$status"
    fi
}

fuzz fuzz_reader "$here/corpus" "$top/examples"
fuzz fuzz_edits "$here/corpus-edits"
extra_sources="$top/src/analysis/vehiclereader.cpp"
fuzz fuzz_records "$here/corpus-records" "$top/examples"
echo "fuzz: no crash, leak, sanitizer report, disagreement or slow input in $seconds s each."
