#!/usr/bin/env bash
# Runs tessaril-cli on SCRIPT in a fresh folder and compares its standard output and exit status
# with SCRIPT.expected (the first line of which is "status N"). $TESSARIL_RUN_WITH, when set, runs
# the program (wine64 for a Windows build).
set -u
cli=$1
script=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$(dirname "$script")"/*.txt "$work"/ 2>/dev/null
cd "$work"
actual=$(${TESSARIL_RUN_WITH:-} "$cli" --config "$work/settings.ini" --data "$work" --seed 1 "$script" 2>"$work/stderr")
status=$?
expected_status=$(head -n 1 "$script.expected" | sed 's/^status //')
expected=$(tail -n +2 "$script.expected")
if [ "$status" != "$expected_status" ] || [ "$actual" != "$expected" ]; then
  echo "exit status $status (expected $expected_status)"
  diff <(echo "$expected") <(echo "$actual")
  cat "$work/stderr"
  exit 1
fi
