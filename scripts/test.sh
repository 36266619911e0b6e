#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs the whole test suite twice: an
# optimised build, and one with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --tests

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:disable_coredump=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"

run_suite() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir"
  ctest --test-dir "$dir" --output-on-failure
}

echo "== Optimised build"
run_suite build/release -DCMAKE_BUILD_TYPE=Release
echo "== Sanitizer build"
run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DVELTO_SANITIZE=ON -DVELTO_BUILD_BENCH=OFF -DVELTO_TEST_PACKAGE=OFF
