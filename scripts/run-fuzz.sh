#!/usr/bin/env bash
# Builds the readers of untrusted input with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in their own build folder and fuzzes each from its seed corpus
# (fuzz/corpus/<target>). Fails on a crash, a leak, a hang or too much memory.
#
#   scripts/run-fuzz.sh                      the short run of ./test.sh: a fixed number of inputs
#                                            per target from a fixed seed (FUZZ_SEED, default 1),
#                                            so that every machine tries the same inputs and a
#                                            failure in CI can be run again here (a slow machine
#                                            stops at FUZZ_SECONDS, default 60, for the game text,
#                                            a third of it for the others, times three)
#   scripts/run-fuzz.sh --minutes N          N minutes for each target, from a random seed
#   scripts/run-fuzz.sh --only gametext      one target (gametext, settings, markup)
#   scripts/run-fuzz.sh ... -- -runs=1000000 further options for libFuzzer
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-fuzz
seconds=${FUZZ_SECONDS:-60}
seed=${FUZZ_SEED:-1}
others=""
# About a minute for the game text and 20 s for the others on an unloaded machine.
runs_gametext=200000 runs_settings=5000 runs_markup=20000
only=""
extra=()
while [ $# -gt 0 ]; do
  case $1 in
    --minutes) seconds=$(( $2 * 60 )); others=$seconds; seed=0
               runs_gametext=-1 runs_settings=-1 runs_markup=-1; shift 2 ;;
    --only) only=$2; shift 2 ;;
    --) shift; extra=("$@"); break ;;
    *) echo "usage: $0 [--minutes N] [--only gametext|settings|markup] [-- libFuzzer options]" >&2
       exit 2 ;;
  esac
done
if [ -z "$others" ]; then
  others=$(( (seconds / 3 > 10 ? seconds / 3 : 10) * 3 ))
  seconds=$(( seconds * 3 ))
fi

# Builds share the machine: take the common build lock unless the caller holds it already
# (lockrun and the cmake wrapper mark that with NF_LOCK_HELD).
locked() {
  if [ -n "${NF_LOCK_HELD:-}" ] || ! command -v flock >/dev/null; then "$@"
  else NF_LOCK_HELD=1 flock /tmp/ninefold-build.lock "$@"; fi
}

flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -gline-tables-only -O2"
link="-fsanitize=address,undefined"
locked cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_SHARED_LINKER_FLAGS="$link" -DCMAKE_EXE_LINKER_FLAGS="$link" \
    -DNINEFOLD_ENGINE_ONLY=OFF -DNINEFOLD_BENCH=OFF -DNINEFOLD_WERROR=OFF >/dev/null
# Only the libraries the readers live in.
locked cmake --build "$build" --target kelp_sdk kelp_richtext -j2
qt=$(pkg-config --cflags --libs Qt6Widgets)
fuzzer() { # name source libraries...
  local name=$1 source=$2; shift 2
  locked clang++ -std=c++20 -fPIC $flags -fsanitize=fuzzer -I"$root" "$root/fuzz/$source" \
      -L"$build/bin" "$@" -Wl,-rpath,"$build/bin" -o "$build/bin/$name"
}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# New inputs go to a scratch corpus; the seeds in the repository stay as they are.
run() { # name corpus seconds runs
  local name=$1 corpus=$2 time=$3 runs=$4 work=$build/corpus-$2
  # The short run starts from the seeds alone, as on a fresh clone.
  [ "$runs" = -1 ] || rm -rf "$work"
  mkdir -p "$work"
  if [ "$runs" = -1 ]; then echo "== fuzzing $corpus for $time s"
  else echo "== fuzzing $corpus: $runs inputs (at most $time s)"; fi
  (cd "$build" && "$build/bin/$name" -max_total_time="$time" -runs="$runs" -timeout=10 \
      -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 -seed="$seed" "${extra[@]}" "$work" \
      "$root/fuzz/corpus/$corpus")
}

if [ -z "$only" ] || [ "$only" = gametext ]; then
  fuzzer sdk_text_fuzzer GameText_fuzz.cpp -lkelp_sdk -lkelp_vxtl
  run sdk_text_fuzzer gametext "$seconds" "$runs_gametext"
fi
if [ -z "$only" ] || [ "$only" = settings ]; then
  fuzzer settings_fuzzer Settings_fuzz.cpp "$root/app/SdkSettingsValues.cpp" -lkelp_vxtl $qt
  run settings_fuzzer settings "$others" "$runs_settings"
fi
if [ -z "$only" ] || [ "$only" = markup ]; then
  # Qt's own leaks at exit are not the converter's.
  fuzzer markup_fuzzer Markup_fuzz.cpp -lkelp_richtext -lkelp_velox -lkelp_vxtl $qt
  ASAN_OPTIONS=$ASAN_OPTIONS:detect_leaks=0 run markup_fuzzer markup "$others" "$runs_markup"
fi
