#!/usr/bin/env bash
# Sets up, builds and starts Ninefold Sudoku.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNINEFOLD_BENCH=OFF >/dev/null
cmake --build build -j2
if [ -x build/bin/NinefoldSudoku ]; then
  exec build/bin/NinefoldSudoku "$@"
fi
echo "The game window is not built yet; the command-line tool is available:"
exec build/bin/ninefold-sudoku-cli --help
