#!/usr/bin/env bash
# The README's run command without a display, as CI and a new user without
# one see it: it reads the stand-in pad, saves screenshots, prints the wire,
# ends by itself with status 0 and leaves no process behind.
set -uo pipefail
source=$(cd "$(dirname "$0")/.." && pwd); build=$(cd "${1:?build folder}" && pwd)
. "$source/tests/support/checks.sh"
out=$build/run-command.log
rm -rf "$build/screenshots"
env -u DISPLAY BUILD_DIR="$build" "$source/scripts/run" > "$out" 2>&1
status=$?
check "the run command ends with status 0" test "$status" = 0
check "the tool ended with exit code 0" grep -q 'the tool ended with exit code 0' "$out"
check "it saved the start-up screenshot" test -s "$build/screenshots/startup.png"
check "it saved the screenshot after the read" test -s "$build/screenshots/after-read.png"
check "it printed the wire, the whole read included" grep -q 'tool> Ini_Disp' "$out"
check "nothing it started is left" "$source/tests/no_leftovers.sh" "$build"
[ "$failures" = 0 ] || cat "$out"
finish
