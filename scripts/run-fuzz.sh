#!/usr/bin/env bash
# Builds the engine with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in its own build folder, builds the game-text fuzz
# target and runs it for a fixed time (FUZZ_SECONDS, default 60) from the seed
# corpus in fuzz/corpus. Fails on a crash, a leak, a hang or too much memory.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-fuzz
seconds=${FUZZ_SECONDS:-60}
# Builds share the machine; take the common build lock when there is one.
locked() { if command -v flock >/dev/null; then flock /tmp/ninefold-build.lock "$@"; else "$@"; fi; }

flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g -O1"
locked cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DNINEFOLD_ENGINE_ONLY=ON -DNINEFOLD_BENCH=OFF -DNINEFOLD_WERROR=OFF >/dev/null
locked cmake --build "$build" --target kelp_sdk -j2
locked clang++ -std=c++20 $flags -fsanitize=fuzzer -I"$root" "$root/fuzz/GameText_fuzz.cpp" \
    -L"$build/bin" -lkelp_sdk -lkelp_vxtl -Wl,-rpath,"$build/bin" -o "$build/bin/sdk_text_fuzzer"

# New inputs go to a scratch corpus; the seeds in the repository stay as they are.
work=$build/corpus
mkdir -p "$work"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
"$build/bin/sdk_text_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -print_final_stats=1 "$work" "$root/fuzz/corpus"
