#!/usr/bin/env bash
# What a program says of itself: PROGRAM --version prints "NAME VERSION" and --help its usage,
# each with exit status 0 and without a display (the window program answers before it opens
# one); PAGE, the manual page the build wrote, is what PROGRAM --man says now and man reads it
# without a warning; every command --help lists is in the page as man shows it.
#   program_info.sh PROGRAM VERSION PAGE
set -u
program=$1
version=$2
page=$3
name=$(basename "$program")
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# No display: a program that tried to open a window here would fail.
run() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" "$@"; }

out=$(run --version 2>&1)
status=$?
[ "$status" = 0 ] || fail "--version exit status $status"
[ "$out" = "$name $version" ] || fail "--version printed '$out', not '$name $version'"

help=$(run --help 2>&1)
status=$?
[ "$status" = 0 ] || fail "--help exit status $status"
case $help in
  "usage: $name "*) ;;
  *) fail "--help does not begin with 'usage: $name': $(head -n 1 <<<"$help")" ;;
esac

run --man | cmp -s - "$page" || fail "$page is not what $name --man prints"

if command -v man >/dev/null; then
  warnings=$(man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns about $page: $warnings"
  # Each command line of --help ("  export-all L PATH [--rows N] ..."), as man renders the page.
  shown=$(MANWIDTH=250 man -E UTF-8 -l "$page" 2>/dev/null)
  while IFS= read -r line; do
    grep -qF -- "${line#  }" <<<"$shown" || fail "the page lacks '${line#  }'"
  done < <(grep '^  [a-z]' <<<"$help")
else
  echo "program_info: man is not installed; the page's rendering is not checked"
fi

[ "$failures" = 0 ] && echo "program_info: $name passed"
[ "$failures" = 0 ]
