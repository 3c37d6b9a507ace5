#!/usr/bin/env bash
# Builds everything and runs every test:
#   0. the formatting of every C++ file and clang-tidy's checks over the core;
#   1. the normal build (warnings as errors) with all test suites, the window
#      tests under Xvfb, and the program installed into a scratch folder, run
#      from there and built into a Debian package (tests/install);
#   2. the permission tests again as an unprivileged user (root writes
#      whatever the permission bits say, so as root they skip);
#   3. the core test suites again under AddressSanitizer and
#      UndefinedBehaviorSanitizer (any report fails the run);
#   4. each file format's fuzzer (spell list, spellbook, specialty and
#      settings file, CSV and JSON) for a short, bounded time.
# The printing tests print through CUPS: cupsd is started when it is not
# running and three print queues are added for the run (see start_printing);
# both are undone when the script ends.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev clang-format clang-tidy xvfb xauth xdotool xclip \
    cups printer-driver-cups-pdf poppler-utils dpkg-dev desktop-file-utils appstream cmark-gfm

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
CUPSD_PID=""
PRINT_QUEUES=()
PRINT_FOLDER=""

# Undoes what start_printing did: removes the queues and their settings,
# stops the cupsd it started, removes the folder of printed files.
stop_printing() {
    local queue
    for queue in "${PRINT_QUEUES[@]}"; do
        $SUDO lpadmin -x "$queue" || true
        $SUDO rm -f "/etc/cups/cups-pdf-$queue.conf"
    done
    if [ -n "$CUPSD_PID" ]; then
        $SUDO kill "$CUPSD_PID" 2>/dev/null || true
        wait "$CUPSD_PID" 2>/dev/null || true
    fi
    if [ -n "$PRINT_FOLDER" ]; then
        rm -rf "$PRINT_FOLDER"
    fi
}
trap stop_printing EXIT

scheduler_running() {
    lpstat -r 2>/dev/null | grep -q "scheduler is running"
}

# Adds the CUPS-PDF queue $1 writing its PDFs into $PRINT_FOLDER/$1.
add_pdf_queue() {
    local queue="$1" output
    mkdir -p "$PRINT_FOLDER/$queue"
    chmod 1777 "$PRINT_FOLDER/$queue"
    echo "Out $PRINT_FOLDER/$queue" | $SUDO tee "/etc/cups/cups-pdf-$queue.conf" > /dev/null
    PRINT_QUEUES+=("$queue")
    # pdftocairo turns the job into PostScript with fonts whose text can be
    # read back from the PDF the queue writes.
    output="$($SUDO lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
        -o pdftops-renderer-default=pdftocairo 2>&1)" || { echo "$output"; return 1; }
}

# Starts cupsd when it is not running and adds three queues named for this
# run: one printing to PDF files, one not accepting jobs, and one whose quota
# (1 KB a week) refuses every job after its first. The printing tests find them
# through QUILL_CUPS_QUEUE, QUILL_CUPS_PDF_DIR, QUILL_CUPS_REJECTING_QUEUE and
# QUILL_CUPS_QUOTA_QUEUE.
start_printing() {
    PRINT_FOLDER="$(mktemp -d /tmp/quillmark-print.XXXXXX)"
    chmod 755 "$PRINT_FOLDER"
    if ! scheduler_running; then
        $SUDO cupsd -f > "$PRINT_FOLDER/cupsd.log" 2>&1 &
        CUPSD_PID=$!
        for _ in $(seq 100); do
            scheduler_running && break
            sleep 0.1
        done
        scheduler_running || { echo "cupsd did not start"; return 1; }
    fi
    local base="QuillmarkTest$$"
    add_pdf_queue "$base" && add_pdf_queue "${base}Rejecting" && add_pdf_queue "${base}Quota" || return 1
    $SUDO cupsreject "${base}Rejecting" || return 1
    $SUDO lpadmin -p "${base}Quota" -o job-quota-period=604800 -o job-k-limit=1 || return 1
    export QUILL_CUPS_QUEUE="$base" QUILL_CUPS_PDF_DIR="$PRINT_FOLDER/$base"
    export QUILL_CUPS_REJECTING_QUEUE="${base}Rejecting" QUILL_CUPS_QUOTA_QUEUE="${base}Quota"
}

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

echo "== Print queues =="
if start_printing; then
    echo "CUPS queues $QUILL_CUPS_QUEUE (PDFs into $QUILL_CUPS_PDF_DIR), $QUILL_CUPS_REJECTING_QUEUE, $QUILL_CUPS_QUOTA_QUEUE"
elif [ -n "${CI:-}" ]; then
    echo "The print queues could not be set up"
    exit 1
else
    echo "The print queues could not be set up: the printing tests will be skipped"
fi

echo "== Tests =="
ctest --test-dir build/test -j "$JOBS" --output-on-failure --timeout 600

if [ "$(id -u)" -eq 0 ]; then
    echo "== Permission tests as an unprivileged user =="
    # A copy of the programs in a folder that user can reach, whatever the
    # permissions of the build tree; every test of the filter must run.
    unprivileged="$(mktemp -d)"
    cp build/test/tests/files_tests build/test/tests/app_tests build/test/tests/cli/cli_tests \
        build/test/cli/quillmark-cli "$unprivileged/"
    chmod -R a+rX "$unprivileged"
    for suite in files_tests app_tests cli_tests; do
        if ! log="$(cd / && QUILL_CLI="$unprivileged/quillmark-cli" \
            setpriv --reuid=65534 --regid=65534 --clear-groups \
            "$unprivileged/$suite" --gtest_filter='*PermissionTest.*' 2>&1)" ||
            grep -q '^\[  SKIPPED \]' <<<"$log" || ! grep -q '^\[  PASSED  \]' <<<"$log"; then
            echo "$log"
            echo "$suite: the permission tests failed or did not run as an unprivileged user"
            rm -rf "$unprivileged"
            exit 1
        fi
        echo "$suite: $(grep '^\[  PASSED  \]' <<<"$log")"
    done
    rm -rf "$unprivileged"
fi

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILL_SANITIZE=ON -DQUILL_WERROR=ON \
    -DQUILL_BUILD_UI=OFF -DQUILL_BUILD_BENCH=OFF
cmake --build build/sanitize -j "$JOBS"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/sanitize -L core -j "$JOBS" --output-on-failure --timeout 900

if [ -f fuzz/CMakeLists.txt ]; then
    echo "== Fuzzing the file formats =="
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
