#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Installs the build and test dependencies, builds, and runs every test:
# the suite in build-test/ (the "test" preset), then the same suite built with
# AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/ (the
# "sanitize" preset). Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

quorvane_install "${QUORVANE_BUILD_PACKAGES[@]}" "${QUORVANE_TEST_PACKAGES[@]}" \
    "${QUORVANE_PACKAGE_PACKAGES[@]}" || exit 1
# The Windows tests need mingw-w64 and wine; without them they report
# themselves skipped, never passed.
quorvane_install "${QUORVANE_WINDOWS_PACKAGES[@]}" \
    || echo "warning: mingw-w64 or wine could not be installed; the Windows tests will be skipped" >&2

jobs=$(nproc 2>/dev/null || echo 2)
passed=0
failed=0
skipped=0

# Runs ctest in a build folder and adds its counts to the totals.
run_suite() {
    local name=$1 dir=$2
    shift 2
    echo "=== $name ==="
    local log
    log=$(mktemp)
    (cd "$dir" && ctest --output-on-failure -j"$jobs" "$@") 2>&1 | tee "$log"
    local summary skips
    summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    # ctest counts a skipped test as passed; it lists them under "did not run".
    skips=$(grep -cE '^[[:space:]]+[0-9]+ - .* \(Skipped\)$' "$log" || true)
    rm -f "$log"
    if [[ -z $summary ]]; then
        echo "$name: ctest did not report a result" >&2
        failed=$((failed + 1))
        return
    fi
    local bad total
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$summary")
    passed=$((passed + total - bad - skips))
    failed=$((failed + bad))
    skipped=$((skipped + skips))
}

build() {
    local preset=$1
    cmake --preset "$preset" && cmake --build --preset "$preset" -j"$jobs"
}

# scripts/run.sh without a display: it builds build/ and says that it cannot
# show the window. At the end it runs again and must find nothing to build,
# whatever the test and sanitizer builds and the package test did meanwhile.
run_headless() {
    env -u DISPLAY -u WAYLAND_DISPLAY scripts/run.sh 2>&1
}

echo "=== release build (scripts/run.sh) ==="
run_headless

echo "=== build ==="
if build test; then
    run_suite "tests" build-test
else
    echo "build failed" >&2
    failed=$((failed + 1))
fi

echo "=== build with sanitizers ==="
if build sanitize; then
    # Any sanitizer report fails the run. It aborts the process that made
    # it, and it is also written to sanitizer-reports/, which is checked
    # afterwards, so that a report from a helper process whose exit status a
    # test does not look at counts too. Leaks inside system libraries are
    # suppressed in tests/sanitizers/lsan.supp, never our own.
    reports=$PWD/build-sanitize/sanitizer-reports
    rm -rf "$reports" && mkdir -p "$reports"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_path=$reports/asan \
    LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan \
        run_suite "tests under sanitizers" build-sanitize -LE not-sanitized
    if compgen -G "$reports/*" >/dev/null; then
        echo "sanitizer reports:" >&2
        cat "$reports"/* >&2
        failed=$((failed + 1))
    fi
else
    echo "sanitizer build failed" >&2
    failed=$((failed + 1))
fi

echo "=== scripts/run.sh again: nothing to rebuild ==="
log=$(run_headless)
echo "$log"
if grep -q 'ninja: no work to do' <<<"$log" && grep -q 'no display' <<<"$log"; then
    passed=$((passed + 1))
else
    echo "scripts/run.sh rebuilt something, or did not say that there is no display" >&2
    failed=$((failed + 1))
fi

echo
echo "Total: $passed passed, $failed failed, $skipped skipped"
[[ $failed -eq 0 ]]
