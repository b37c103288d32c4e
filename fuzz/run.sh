#!/usr/bin/env bash
# Builds the fuzz targets natively (clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 20) over its
# corpus in fuzz/corpus/<target>. New inputs go to the build directory; the
# corpus in the repository is only read.
#   fuzz/run.sh [SECONDS]
# Build directory: $KESTRUM_FUZZ_BUILD, else build/fuzz in the repository.
set -euo pipefail

fail() {
    echo "fuzz/run.sh: $*" >&2
    exit 1
}

seconds=${1:-20}
[[ $seconds =~ ^[0-9]+$ ]] && ((seconds > 0)) || fail "SECONDS must be a whole number above 0, not '$seconds'"

root=$(cd "$(dirname "$0")/.." && pwd)
build=${KESTRUM_FUZZ_BUILD:-$root/build/fuzz}
targets="line_ends name_list perf_data"

command -v cmake >/dev/null 2>&1 || fail "cmake not found: install cmake"
command -v clang++ >/dev/null 2>&1 || fail "clang++ not found: install clang"
mkdir -p "$build"
probe=$build/libfuzzer-probe
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe.cpp"
clang++ -fsanitize=fuzzer,address,undefined "$probe.cpp" -o "$probe" >"$probe.log" 2>&1 ||
    fail "clang++ cannot link libFuzzer with the sanitizers (see $probe.log): install libclang-rt-dev"

cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    >"$build/configure.log" 2>&1 || { cat "$build/configure.log" >&2; fail "configuring the fuzz targets failed"; }
cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1 ||
    { cat "$build/build.log" >&2; fail "building the fuzz targets failed"; }

passed=0
failed=0
for target in $targets; do
    corpus=$root/fuzz/corpus/$target
    [ -d "$corpus" ] || fail "no corpus for $target in $corpus"
    work=$build/corpus/$target
    findings=$build/findings/$target
    log=$build/$target.log
    mkdir -p "$work" "$findings"
    echo "fuzz: $target for ${seconds}s"
    # -timeout: an input that takes seconds is a walk that does not end.
    if "$build/fuzz_$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=8192 \
        -artifact_prefix="$findings/" -print_final_stats=1 "$work" "$corpus" >"$log" 2>&1; then
        echo "fuzz: $target: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs, no finding"
        passed=$((passed + 1))
    else
        tail -n 40 "$log" >&2
        echo "fuzz: $target: FINDING (log $log, input saved in $findings)" >&2
        failed=$((failed + 1))
    fi
done

echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ] || fail "a fuzz target found a fault"
