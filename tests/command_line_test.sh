#!/usr/bin/env bash
# The shipped program started from a shell, as a game launcher starts it: no
# window, a transcript that stops at its limit, and the console twin as
# Wine's cmd runs it. (The command line's exit codes, output and wire are the
# scenario table's command rows.)
set -uo pipefail
source=$(cd "$(dirname "$0")/.." && pwd); build=$(cd "${1:?build folder}" && pwd)
. "$source/tests/support/checks.sh"
work=$build/command-line
rm -rf "$work"; mkdir -p "$work"
export PADCONFIG_BUILD=$build LANG=en_US.UTF-8
windows() { echo "Z:${1//\//\\}"; }
# The tool, ended after 15 s should it wait on something (a box): status 124.
tool() {
  "$build/wine-run" "$build/bin/padconfig.exe" "$@" & local run=$!
  end_of "$run" 15 "padconfig $*" || return 124
  return "$ended"
}
pad() { start_pad "$work/wire.log" "$build/wine-run" "$build/bin/padsim.exe" COM21 --seconds 5; }
pad_done() { end_of "$sim" 10 "the stand-in"; }

pad
WINEDEBUG=trace+win tool --port COM1 --read > "$work/out.txt" 2> "$work/err.txt"
status=$?; pad_done
check "a read ends with exit code 0" test "$status" = 0
check "it prints the profile on standard output" holds "$work/out.txt" '^buttons=12'
# The same trace of a run that does open a window (a box), so that a renamed
# trace cannot pass for no window.
WINEDEBUG=trace+win "$build/wine-run" "$build/bin/padconfig.exe" --lang xx 2> "$work/box-err.txt" & boxed=$!
"$build/wine-run" "$build/bin/drive.exe" wait-box ok-box
end_of "$boxed" 15 "the run with a box"
check "a window shows in the trace" holds "$work/box-err.txt" WIN_CreateWindowEx
check "the read creates none" lacks "$work/err.txt" WIN_CreateWindowEx

# A transcript near its limit ends at the limit, with a last line saying so.
truncate -s $((16 * 1024 * 1024 - 200)) "$work/full.log"
pad
tool --port COM1 --read --log "$(windows "$work/full.log")" > /dev/null 2>&1
status=$?; pad_done
check "a read with a full transcript still ends with exit code 0" test "$status" = 0
size=$(stat -c %s "$work/full.log")
check "the transcript stops at 16 MiB, not before" test "$size" -le $((16 * 1024 * 1024)) -a "$size" -gt $((16 * 1024 * 1024 - 100))
check "its last line says so" says "transcript stopped" "$(tail -c 100 "$work/full.log")"

# The console twin as Wine's cmd runs "padconfig" from the PATH: padconfig.com
# before padconfig.exe. "script" gives cmd a terminal, so Wine gives it a
# console: standard error stays on it while standard output goes to a file.
cd "$work" || exit 1
export WINEPATH
WINEPATH=$(windows "$build/bin")
on_console() {  # cmd /c LINE with a console, its screen in console.txt; the exit code
  timeout 120 script -qec "\"$build/wine-run\" cmd /c '$1'" /dev/null > "$work/console.txt"
}
pad
on_console "echo screen-read & padconfig --port COM1 --read > x.padprofile"
status=$?; pad_done
check "cmd: a read into a file ends with exit code 0" test "$status" = 0
check "and the file holds the profile" holds "$work/x.padprofile" '^buttons=12'
check "the console's screen was read" holds "$work/console.txt" 'screen-read'
check "and none of the profile is on it" lacks "$work/console.txt" "buttons="
# The file is seen to take standard output: the echo's line reaches it, the tool's error does not.
on_console "echo output-reached> y.padprofile& padconfig --port COM77 --read >> y.padprofile"
status=$?
check "cmd: a port that cannot be opened ends with exit code 1" test "$status" = 1
check "and its line is on the console (what the screen shows)" holds "$work/console.txt" 'Cannot open COM77.'
check "and the file holds what else went to standard output, and only that" \
  test "$(tr -d '\r' < "$work/y.padprofile")" = output-reached

# Without a mode the twin starts padconfig.exe's dialog and returns at once.
timeout 30 "$build/wine-run" cmd /c "padconfig --port COM1" > /dev/null 2>&1
status=$?
check "cmd: the twin without a mode ends with exit code 0 at once" test "$status" = 0
check "while padconfig.exe shows the dialog" "$build/wine-run" "$build/bin/drive.exe" wait-dialog
check "which closes as ever" "$build/wine-run" "$build/bin/drive.exe" close wait-gone

finish
