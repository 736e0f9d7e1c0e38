#!/usr/bin/env bash
# Builds the console with the sandbox agent and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQK_BUILD_TESTS=OFF >/dev/null
cmake --build build/release
exec build/release/bin/ZQKCommClient
