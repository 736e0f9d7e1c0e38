#!/usr/bin/env bash
# Builds and runs every test: once optimised as a Release build with the
# benchmarks, assertions kept (so that optimiser-only warnings and faults
# show), once under AddressSanitizer + UndefinedBehaviorSanitizer with every
# layer a shared library linked with --no-undefined (so that a call upward
# fails to link). GUI tests run offscreen.
#
# Both builds go through ccache when it is installed (install-deps.sh installs
# it): paths under this folder are hashed relative to it, and the folder's own
# name not at all, so that a later run, also from a fresh clone in another
# folder, takes from the cache what an earlier one compiled.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
for variant in optimised asan; do
  dir=build/test-$variant
  if [ "$variant" = optimised ]; then
    options=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O3"
      "-DCMAKE_C_FLAGS_RELEASE=-O3" -DZQK_SANITIZE=OFF -DZQK_BUILD_BENCH=ON)
  else
    # -O1, as the sanitizers advise: the sandbox's tests run several times
    # faster than at -O0; -g1 keeps file and line in every report.
    options=(-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1"
      "-DCMAKE_C_FLAGS_DEBUG=-O1 -g1" -DZQK_SANITIZE=ON -DZQK_BUILD_BENCH=OFF
      -DZQK_SHARED_LAYERS=ON)
  fi
  cmake -S . -B "$dir" -G Ninja "${options[@]}" "${launcher[@]}" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
done
