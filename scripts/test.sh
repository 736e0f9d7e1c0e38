#!/usr/bin/env bash
# Builds and runs every test: once as a normal build, once under
# AddressSanitizer + UndefinedBehaviorSanitizer. GUI tests run offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
for variant in debug asan; do
  dir=build/test-$variant
  sanitize=OFF
  [ "$variant" = asan ] && sanitize=ON
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZQK_SANITIZE=$sanitize \
    -DZQK_BUILD_BENCH=$([ "$variant" = debug ] && echo ON || echo OFF) >/dev/null
  cmake --build "$dir" -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
done
