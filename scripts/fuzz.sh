#!/usr/bin/env bash
# Runs one afl-fuzz campaign on a fuzz target, then replays everything it
# found (its queue, crashes and hangs) under AddressSanitizer and
# UndefinedBehaviorSanitizer in one process.
#
#   scripts/fuzz.sh TARGET SECONDS
#
# TARGET: tr_reply, real_time, master_file, sandbox_requests,
# sandbox_settings, fixture or script. The campaign starts from
# fuzz/corpus/TARGET (seeds and every input that once failed) with the
# target's dictionary and writes to build/fuzz-runs/TARGET-<time>/. Inputs
# that crash or hang are copied into fuzz/corpus/TARGET/crashes/, where the
# test suite replays them once they are fixed. The fuzzing build has no
# sanitizers (they would cost most of the speed); the replay has them.
# Exit status: 0 when nothing was found and the replay is clean.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -ne 2 ] || ! [[ $2 =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh TARGET SECONDS" >&2
  exit 2
fi
target=$1
seconds=$2
corpus=fuzz/corpus/$target
if [ ! -d "$corpus/seeds" ]; then
  echo "fuzz.sh: no target $target (no $corpus/seeds)" >&2
  exit 2
fi
case $target in
  tr_reply | real_time | master_file) dictionary=replies ;;
  sandbox_requests) dictionary=sandbox ;;
  sandbox_settings | fixture) dictionary=json ;;
  script) dictionary=script ;;
  *) dictionary= ;;
esac

# afl++ only here: the other commands never need it.
scripts/install-deps.sh afl++

# Two campaigns may start at once (one a core): they build one at a time.
mkdir -p build
exec 9>build/.fuzz-build.lock
flock 9
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build/fuzz-afl -G Ninja -DZQK_FUZZ=ON -DCMAKE_BUILD_TYPE=Release \
  -DZQK_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
AFL_QUIET=1 cmake --build build/fuzz-afl --target "fuzz_$target"
cmake -S . -B build/fuzz-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZQK_SANITIZE=ON \
  -DZQK_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build/fuzz-asan --target "fuzz_$target"
flock -u 9

run=build/fuzz-runs/$target-$(date +%Y%m%d-%H%M%S)
mkdir -p "$run/in"
cp "$corpus"/seeds/* "$run/in/"
find "$corpus/crashes" -maxdepth 1 -type f ! -name '.*' -exec cp {} "$run/in/" \;
# The targets' own temporary folders (mst/ and the like) go to memory.
scratch=$(mktemp -d /dev/shm/zqk-fuzz.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dictionary_options=()
[ -n "$dictionary" ] && dictionary_options=(-x "fuzz/dictionaries/$dictionary.dict")

# No core-dump helper check, no CPU binding (the machine is shared), no
# screen; -t: an input that takes longer than 5 s is a hang.
TMPDIR=$scratch AFL_TMPDIR=$scratch AFL_NO_UI=1 AFL_NO_AFFINITY=1 AFL_SKIP_CPUFREQ=1 \
  AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1 \
  afl-fuzz -i "$run/in" -o "$run/out" "${dictionary_options[@]}" -V "$seconds" -t 5000 -m none \
  -- "build/fuzz-afl/bin/fuzz_$target" @@ >"$run/afl-fuzz.log" 2>&1 || {
  tail -30 "$run/afl-fuzz.log" >&2
  exit 1
}

found=$run/out/default
stat() { sed -n "s/^$1 *: *//p" "$found/fuzzer_stats"; }
findings=()
for kind in crashes hangs; do
  for f in "$found/$kind"/id:*; do
    [ -e "$f" ] || continue
    findings+=("$f")
    cp "$f" "$corpus/crashes/$kind-$(sha1sum "$f" | cut -c1-16)"
  done
done

# Every input it kept, and what crashed or hung, in one sanitized process.
replay=$run/replay.log
status=0
TMPDIR=$scratch ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  timeout 3600 "build/fuzz-asan/bin/fuzz_$target" "$found/queue" "${findings[@]}" \
  >"$replay" 2>&1 || status=$?
replayed=$(tail -1 "$replay")

echo "$target: $(date -u +%Y-%m-%d) $(stat run_time) s, $(stat execs_done) executions" \
  "($(stat execs_per_sec)/s), $(stat corpus_count) paths ($(stat corpus_found) new)," \
  "$(stat saved_crashes) crashes, $(stat saved_hangs) hangs; replay under ASan+UBSan:" \
  "$([ $status -eq 0 ] && echo "$replayed, clean" || echo "FAILED ($replay)")"
[ ${#findings[@]} -eq 0 ] && [ $status -eq 0 ]
