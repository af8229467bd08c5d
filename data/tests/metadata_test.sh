#!/usr/bin/env bash
# The desktop metadata validates as the desktops read it: the AppStream file (as configured in the
# build folder), the desktop entry and the manual pages.
# Usage: metadata_test.sh <source dir> <build dir>
set -euo pipefail
src=$1 build=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
appstreamcli validate --no-net "$build/org.ninefoldsudoku.NinefoldSudoku.metainfo.xml" ||
  fail "AppStream metadata"
desktop-file-validate "$src/data/desktop/ninefold-sudoku.desktop" || fail "desktop entry"
for page in "$src"/data/man/*.6; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
done
echo "metadata valid"
