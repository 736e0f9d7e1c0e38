#!/usr/bin/env bash
# Builds and runs every test: once optimised as a Release build with the
# benchmarks, assertions kept (so that optimiser-only warnings and faults
# show), once under AddressSanitizer + UndefinedBehaviorSanitizer with every
# layer a shared library linked with --no-undefined (so that a call upward
# fails to link). GUI tests run offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
for variant in optimised asan; do
  dir=build/test-$variant
  if [ "$variant" = optimised ]; then
    options=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O3"
      "-DCMAKE_C_FLAGS_RELEASE=-O3" -DZQK_SANITIZE=OFF -DZQK_BUILD_BENCH=ON)
  else
    options=(-DCMAKE_BUILD_TYPE=Debug -DZQK_SANITIZE=ON -DZQK_BUILD_BENCH=OFF
      -DZQK_SHARED_LAYERS=ON)
  fi
  cmake -S . -B "$dir" -G Ninja "${options[@]}" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
done
