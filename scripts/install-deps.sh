#!/usr/bin/env bash
# Installs what building, running, testing and packaging the console need on
# Debian 12, and the packages named as arguments (scripts/fuzz.sh asks for
# afl++ this way, so that the other commands never need it). Asks for root
# (through sudo) only when a package is missing.
set -euo pipefail
# ccache lets a build reuse what an earlier one compiled; dpkg-dev (dpkg-shlibdeps)
# and file let CPack find the .deb's dependencies; desktop-file-utils checks the
# menu entry in the package test.
packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev fonts-noto-cjk fonts-nanum xvfb xauth
  ccache dpkg-dev file desktop-file-utils "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  # sudo -v asks for the password on a terminal and fails at once without one,
  # or for a user who may not use sudo.
  if command -v sudo >/dev/null 2>&1 && sudo -v; then
    as_root=(sudo)
  else
    echo "$(basename "$0"): ${missing[*]} must be installed, which needs root or a working" \
      "sudo; as root, run: apt-get update && apt-get install -y --no-install-recommends" \
      "${missing[*]}" >&2
    exit 1
  fi
fi
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
  --no-install-recommends "${missing[@]}"
