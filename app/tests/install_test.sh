#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the layout and starts the installed program
# offscreen in a scratch home: it must find its resource files and installation data under the
# prefix, copy the example games and register the game-file type for itself.
# Usage: install_test.sh <build dir>
set -euo pipefail
build=$1
scratch=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share/ninefold-sudoku
[ -x "$prefix/bin/NinefoldSudoku" ] || fail "no bin/NinefoldSudoku"
[ -x "$prefix/bin/ninefold-sudoku-cli" ] || fail "no bin/ninefold-sudoku-cli"
for f in NinefoldSudoku.vxt stddlg.vxt doku/Doku.NinefoldSudoku.Main.ger.html \
         doku/Doku.NinefoldSudoku.Main.eng.html doku/NinefoldSudoku_Version-History.txt; do
  [ -f "$share/$f" ] || fail "missing share/ninefold-sudoku/$f"
done
[ "$(ls "$share"/PreDefs/*.spd | wc -l)" -ge 3 ] || fail "PreDefs missing"
examples=$(ls "$share"/ExampleGames/*.sdk | wc -l)
[ "$examples" -ge 5 ] || fail "only $examples example games"
for f in applications/ninefold-sudoku.desktop mime/packages/ninefold-sudoku.xml \
         icons/hicolor/scalable/apps/ninefold-sudoku.svg; do
  [ -f "$prefix/share/$f" ] || fail "missing share/$f"
done
if command -v readelf >/dev/null && readelf -d "$prefix/bin/NinefoldSudoku" | grep -qF "$build"; then
  fail "the installed program still points into the build tree"
fi

# The tool runs from the prefix too.
"$prefix/bin/ninefold-sudoku-cli" --help >/dev/null || fail "installed ninefold-sudoku-cli does not run"

export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data \
       XDG_CACHE_HOME=$scratch/cache XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset LD_LIBRARY_PATH
cd "$scratch"
"$prefix/bin/NinefoldSudoku" >"$scratch/out.txt" 2>&1 &
pid=$!

# The first tick settles the installation folder and copies the examples; then the first start
# asks for the language and waits, which is where the program is stopped.
entry=$XDG_DATA_HOME/applications/NinefoldSudokuFiles.desktop
for _ in $(seq 1 600); do
  copied=$(find "$HOME" -path '*ExampleGames/*.sdk' 2>/dev/null | wc -l)
  [ -f "$entry" ] && [ "$copied" -ge "$examples" ] && break
  kill -0 "$pid" 2>/dev/null || { cat "$scratch/out.txt" >&2; fail "the installed program ended"; }
  sleep 0.1
done
grep -rqF "InstallDir=$share" "$XDG_CONFIG_HOME" || fail "installation folder is not $share"
grep -qF "Exec=\"$prefix/bin/NinefoldSudoku\" %f" "$entry" || fail "file type not registered"
[ "$(find "$HOME" -path '*ExampleGames/*.sdk' | wc -l)" -ge "$examples" ] || fail "examples not copied"
kill -0 "$pid" 2>/dev/null || fail "the installed program ended"
echo "installed program started from $prefix"
