#!/usr/bin/env bash
# Builds everything and runs every test. Exits non-zero on any failure.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=build
args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVD4_BUILD_TESTS=ON)
if [[ "${1:-}" == "--sanitize" ]]; then
  build=build-asan
  args+=(-DVD4_SANITIZE=ON)
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S . -B "$build" -G Ninja --log-level=WARNING "${args[@]}" >/dev/null
cmake --build "$build" -- -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
