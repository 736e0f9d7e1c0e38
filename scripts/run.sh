#!/usr/bin/env bash
# Builds the console with the sandbox agent and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQK_BUILD_TESTS=OFF >/dev/null
cmake --build build/release
# Without a display Qt can only abort; a platform named by the user is theirs.
if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "The console needs a display (DISPLAY or WAYLAND_DISPLAY): start it with" \
    "\`xvfb-run scripts/run.sh\` for a virtual one, or with" \
    "\`QT_QPA_PLATFORM=offscreen scripts/run.sh\` for a window nobody sees." >&2
  exit 1
fi
exec build/release/bin/ZQKCommClient "$@"
