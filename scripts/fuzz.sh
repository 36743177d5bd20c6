#!/usr/bin/env bash
# Runs the fuzz targets of tests/fuzz/ in the clang build of the "fuzz" preset: one target
# or all of them in turn, each for a number of seconds (30 by default), starting from its
# seed corpus in tests/fuzz/corpus/<target>/. Fails on a crash, a leak, a sanitizer report,
# a broken property or a hang; the input that did it is kept under
# build/fuzz/findings/<target>/. What a run learns is kept in build/fuzz/corpus/<target>/
# for the next run; the seed corpus is left as it is.
#
#   scripts/fuzz.sh                 every target, 30 seconds each
#   scripts/fuzz.sh model_file 600  one target for ten minutes
set -euo pipefail
cd "$(dirname "$0")/.."
target="${1:-all}"
seconds="${2:-30}"

build=build/fuzz
all=()
for source in tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    all+=("$name")
done
if [ "$target" = all ]; then
    targets=("${all[@]}")
elif [ -f "tests/fuzz/${target}_fuzz.cpp" ]; then
    targets=("$target")
else
    echo "fuzz.sh: no fuzz target '$target'; there are: ${all[*]}" >&2
    exit 2
fi

cmake --preset fuzz >/dev/null
build_targets=()
for name in "${targets[@]}"; do
    build_targets+=("${name}_fuzz")
done
cmake --build --preset fuzz -j "$(nproc)" --target "${build_targets[@]}"

# The targets write a file or two per input: a memory-backed folder where there is one.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen
if [ -x /usr/lib/llvm-14/bin/llvm-symbolizer ]; then
    export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
fi

failed=()
for name in "${targets[@]}"; do
    corpus="$build/corpus/$name"
    findings="$build/findings/$name"
    mkdir -p "$corpus" "$findings"
    echo "== $name: $seconds s"
    if ! "$build/tests/fuzz/${name}_fuzz" -max_total_time="$seconds" -timeout=20 \
        -rss_limit_mb=4096 -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "tests/fuzz/corpus/$name"; then
        failed+=("$name")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz.sh: findings in: ${failed[*]} (inputs under $build/findings/)" >&2
    exit 1
fi
