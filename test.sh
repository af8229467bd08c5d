#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build, then the engine under
# AddressSanitizer + UndefinedBehaviorSanitizer and the thread tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
jobs=${JOBS:-2}
werror=OFF
[ -n "${CI:-}" ] && werror=ON

# Tests never see the real user's settings or games.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" \
       XDG_CACHE_HOME="$scratch/cache" XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

echo "== sanitizers: address + undefined (engine) =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNINEFOLD_ENGINE_ONLY=ON \
      -DNINEFOLD_SANITIZE=address,undefined -DNINEFOLD_WERROR=$werror >/dev/null
cmake --build build-asan -j$jobs
ctest --test-dir build-asan -L engine --output-on-failure -j$jobs

if [ -f engine/tests/threads/CMakeLists.txt ]; then
  echo "== sanitizers: thread (engine worker threads, with the soak of label slow) =="
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNINEFOLD_ENGINE_ONLY=ON \
        -DNINEFOLD_SANITIZE=thread -DNINEFOLD_WERROR=$werror >/dev/null
  cmake --build build-tsan -j$jobs
  ctest --test-dir build-tsan -L threads --output-on-failure -j$jobs
fi

if [ -x scripts/run-fuzz.sh ]; then
  echo "== fuzzing =="
  scripts/run-fuzz.sh
fi

echo "== all tests =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNINEFOLD_WERROR=$werror >/dev/null
cmake --build build -j$jobs
# The soak (label slow) ran under the thread sanitizer above; once is enough.
ctest --test-dir build --output-on-failure -j$jobs -LE slow
