#!/usr/bin/env bash
# Solves every puzzle set with two builds of ninefold-sudoku-cli, one after the
# other on the same machine, checks that both print exactly the same (output,
# messages and exit status) and prints the wall seconds per set, old against new.
# A set whose lines carry more than the riddle (a rating) is also solved with
# its lines cut to the riddle, so that the solver runs on it too.
#
# Usage: bench/compare-solve.sh OLD_CLI NEW_CLI [DATA_DIR]
# DATA_DIR defaults to $NINEFOLD_DATA_DIR, else ../shared/data beside the repository.
# Exit status 1 when any output differs.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 OLD_CLI NEW_CLI [DATA_DIR]" >&2
  exit 2
fi
old=$1
new=$2
dir=${3:-${NINEFOLD_DATA_DIR:-$(cd "$(dirname "$0")/../.." && pwd)/shared/data}}
for cli in "$old" "$new"; do
  [ -x "$cli" ] || { echo "not a program: $cli" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run CLI INPUT TAG: solves INPUT, leaves TAG.out/.err/.status and prints the wall seconds.
run() {
  local status=0 start end
  start=$(date +%s.%N)
  "$1" solve "$2" >"$work/$3.out" 2>"$work/$3.err" || status=$?
  end=$(date +%s.%N)
  echo "$status" >"$work/$3.status"
  echo "$start $end" | awk '{ printf "%.2f", $2 - $1 }'
}

same() {
  cmp -s "$work/old.out" "$work/new.out" && cmp -s "$work/old.err" "$work/new.err" &&
    cmp -s "$work/old.status" "$work/new.status"
}

differ=0
printf '%-28s %7s %9s %9s %7s  %s\n' set riddles old_s new_s old/new output
compare() {
  local name=$1 input=$2 t_old t_new riddles verdict
  riddles=$(grep -c . "$input" || true)
  t_old=$(run "$old" "$input" old)
  t_new=$(run "$new" "$input" new)
  if same; then verdict=identical; else verdict=DIFFERENT; differ=1; fi
  printf '%-28s %7s %9s %9s %7s  %s\n' "$name" "$riddles" "$t_old" "$t_new" \
    "$(awk -v a="$t_old" -v b="$t_new" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }')" \
    "$verdict"
}

for set in "$dir"/*.txt; do
  name=$(basename "$set" .txt)
  compare "$name" "$set"
  if awk 'length($0) > 81 { found = 1 } END { exit !found }' "$set"; then
    cut -c1-81 "$set" >"$work/riddles.txt"
    compare "$name (riddles only)" "$work/riddles.txt"
  fi
done
exit $differ
