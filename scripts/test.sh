#!/usr/bin/env bash
# Builds everything and runs every test:
#   0. the formatting of every C++ file and clang-tidy's checks over the core;
#   1. the normal build (warnings as errors) with all test suites, the window
#      tests under Xvfb;
#   2. the core test suites again under AddressSanitizer and
#      UndefinedBehaviorSanitizer (any report fails the run);
#   3. each file reader's fuzzer for a short, bounded time.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev clang-format clang-tidy xvfb xauth

cd "$ROOT"

echo "== Formatting =="
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

echo "== Build and test =="
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_WERROR=ON
cmake --build build/test -j "$JOBS"

echo "== clang-tidy over the core =="
git ls-files -z 'model/*.cpp' 'files/*.cpp' 'output/*.cpp' 'app/*.cpp' 'book/*.cpp' 'master/*.cpp' \
    'maintenance/*.cpp' 'frame/*.cpp' 'cli/*.cpp' |
    xargs -0 -r -n 4 -P "$JOBS" clang-tidy -p build/test --quiet --extra-arg=-w

echo "== Tests =="
ctest --test-dir build/test -j "$JOBS" --output-on-failure --timeout 600

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILL_SANITIZE=ON -DQUILL_WERROR=ON \
    -DQUILL_BUILD_UI=OFF -DQUILL_BUILD_BENCH=OFF
cmake --build build/sanitize -j "$JOBS"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/sanitize -L core -j "$JOBS" --output-on-failure --timeout 900

if [ -f fuzz/CMakeLists.txt ]; then
    echo "== Fuzzing the file readers =="
    FUZZ_SECONDS="${FUZZ_SECONDS:-20}"
    CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_FUZZ=ON \
        -DQUILL_BUILD_UI=OFF -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF -DQUILL_WERROR=ON
    cmake --build build/fuzz -j "$JOBS"
    for fuzzer in build/fuzz/fuzz/fuzz_*; do
        [ -x "$fuzzer" ] || continue
        name="$(basename "$fuzzer")"
        corpus="fuzz/corpus/${name#fuzz_}"
        work="build/fuzz/work/$name"
        rm -rf "$work" && mkdir -p "$work"
        echo "-- $name for ${FUZZ_SECONDS}s"
        "$fuzzer" -max_total_time="$FUZZ_SECONDS" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
            -artifact_prefix="$work/" "$work" "$corpus" > "$work/log.txt" 2>&1 || {
            tail -n 40 "$work/log.txt"
            echo "$name found a fault; the input is in $work/"
            exit 1
        }
        grep -E '^(Done|#[0-9]+ *DONE)' "$work/log.txt" | tail -n 1 || true
    done
fi

echo "All tests passed."
