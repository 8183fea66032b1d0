#!/usr/bin/env bash
# Runs tessaril-cli on a test script and checks what it prints and its exit status.
#
# A test script is an ordinary tessaril-cli script. Its expectations are comments, which the
# program skips, written right after the command they belong to:
#
#   #> TEXT   a line the command prints on standard output ("#>" alone: an empty line)
#   #! TEXT   a line it prints on standard error
#   #? N      the exit status, right after the command that ends the run (without it: 0)
#
#   status
#   #> 当前原始号码框内有0个手机号码
#   #> 当前目标号码框内有0个手机号码
#   sort upward
#   #! tessaril-cli: line 4: sort: expected source or target, not 'upward'
#   #? 2
#
# Standard output and standard error must be exactly the lines written, in order. So that each
# command's lines are its own, the script is run once up to each command (with the expectations
# that follow it), each time in a fresh folder holding the *.txt files next to the script.
# $TESSARIL_RUN_WITH, when set, runs the program (wine64 for a Windows build).
set -u
cli=$1
script=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The lines of `file` that begin with `mark`, without it and one blank after it.
expected_lines() {
  sed -n "s/^$1 \\{0,1\\}//p" "$2"
}

# Runs the first `end` lines of the script; fails, saying why, when its output is not as written.
check_up_to() {
  local end=$1 work="$scratch/run$1" part="$scratch/part$1.tsl"
  mkdir "$work"
  cp "$(dirname "$script")"/*.txt "$work"/ 2>/dev/null
  head -n "$end" "$script" >"$part"
  expected_lines '#>' "$part" >"$work.out.expected"
  expected_lines '#!' "$part" >"$work.err.expected"
  local expected_status
  expected_status=$(expected_lines '#?' "$part")
  (cd "$work" && ${TESSARIL_RUN_WITH:-} "$cli" --config "$work/settings.ini" --data "$work" --seed 1 "$part" \
    >"$work.out" 2>"$work.err")
  local status=$?
  if [ "$status" = "${expected_status:-0}" ] && cmp -s "$work.out.expected" "$work.out" &&
    cmp -s "$work.err.expected" "$work.err"; then
    return 0
  fi
  echo "after line $end of $script: $(sed -n "${last_command}p" "$script")"
  echo "exit status $status (expected ${expected_status:-0})"
  echo "standard output (- expected, + printed):"
  diff -u "$work.out.expected" "$work.out" | tail -n +3
  echo "standard error (- expected, + printed):"
  diff -u "$work.err.expected" "$work.err" | tail -n +3
  return 1
}

if [ "$(grep -c '^#?' "$script")" -gt 1 ]; then
  echo "$script: more than one exit status line"
  exit 1
fi
if grep -n -E '^[[:blank:]]+#[>!?]' "$script"; then
  echo "$script: an expectation must begin in the first column"
  exit 1
fi

# Each command's block ends where the next command begins; the last one at the end of the file.
total=$(wc -l <"$script")
last_command=0
while IFS= read -r number; do
  if [ "$last_command" -gt 0 ]; then
    check_up_to $((number - 1)) || exit 1
  fi
  last_command=$number
done < <(grep -n -v -E '^[[:blank:]]*(#|$)' "$script" | cut -d: -f1)
check_up_to "$total" || exit 1
