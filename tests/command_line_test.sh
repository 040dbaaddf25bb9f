#!/usr/bin/env bash
# The shipped program started from a shell, as a game launcher starts it: no
# window, its output on the shell's own streams, its exit code, and a
# transcript that holds exactly the bytes the stand-in pad saw.
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
pad() {  # the stand-in on the far end of COM1, for a few seconds
  "$build/wine-run" "$build/bin/padsim.exe" COM21 --seconds 5 > "$work/wire.log" 2>&1 & sim=$!
  wait_for "the stand-in's start-up line" 10 holds "$work/wire.log" "^padsim: a pad" || exit 1
}
pad_done() { end_of "$sim" 10 "the stand-in"; }
# What each side wrote, escaped alike: the stand-in's record, and the transcript's.
seen() { sed -n "s/^ *[0-9.]* ms $1 //p" "$work/wire.log" | tr -d '\r\n'; }
logged() { sed -n "s/^[-0-9]* [0-9:.]* $1 //p" "$2" | tr -d '\r\n'; }

pad
WINEDEBUG=trace+win tool --port COM1 --read --log "$(windows "$work/read.log")" > "$work/out.txt" 2> "$work/err.txt"
status=$?; pad_done
check "a read ends with exit code 0" test "$status" = 0
check "it prints the profile on standard output" grep -q '^buttons=12' "$work/out.txt"
# The same trace of a run that does open a window (a box), so that a renamed
# trace cannot pass for no window.
WINEDEBUG=trace+win "$build/wine-run" "$build/bin/padconfig.exe" --lang xx 2> "$work/box-err.txt" & boxed=$!
"$build/wine-run" "$build/bin/drive.exe" wait-box ok-box
end_of "$boxed" 15 "the run with a box"
check "a window shows in the trace" grep -q WIN_CreateWindowEx "$work/box-err.txt"
check "the read creates none" eval '! grep -q WIN_CreateWindowEx "$work/err.txt"'
check "the transcript holds what the stand-in saw" test "$(logged '>' "$work/read.log")" = "$(seen 'tool>')"
check "and what the stand-in sent" test "$(logged '<' "$work/read.log")" = "$(seen '<pad ')"
check "the bytes are there at all" grep -q 'Ini_Disp' "$work/read.log"

pad
tool --port COM1 --read --bogus > "$work/out.txt" 2> "$work/err.txt"
status=$?; pad_done
check "an unknown option ends with exit code 2" test "$status" = 2
check "and the usage on standard error" grep -q '^usage: padconfig' "$work/err.txt"
check "and nothing on the wire" test -z "$(seen 'tool>')"
check "while the stand-in was there to see it" holds "$work/wire.log" "^padsim: a pad"

# A transcript near its limit ends at the limit, with a last line saying so.
truncate -s $((16 * 1024 * 1024 - 200)) "$work/full.log"
pad
tool --port COM1 --read --log "$(windows "$work/full.log")" > /dev/null 2>&1
status=$?; pad_done
check "a read with a full transcript still ends with exit code 0" test "$status" = 0
size=$(stat -c %s "$work/full.log")
check "the transcript stops at 16 MiB, not before" test "$size" -le $((16 * 1024 * 1024)) -a "$size" -gt $((16 * 1024 * 1024 - 100))
check "its last line says so" eval 'tail -c 100 "$work/full.log" | grep -q "transcript stopped"'

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
check "and the file holds the profile" grep -q '^buttons=12' "$work/x.padprofile"
check "the console's screen was read" grep -q 'screen-read' "$work/console.txt"
check "and none of the profile is on it" eval '! grep -q "buttons=" "$work/console.txt"'
on_console "padconfig --port COM77 --read > y.padprofile"
status=$?
check "cmd: a port that cannot be opened ends with exit code 1" test "$status" = 1
check "and its line is on the console (what the screen shows)" grep -q 'Cannot open COM77.' "$work/console.txt"
check "and not in the file" test ! -s "$work/y.padprofile"

printf '[pad]\nbuttons=x\n' > "$work/bad.padprofile"
timeout 120 "$build/wine-run" cmd /c "padconfig --apply bad.padprofile" > "$work/out.txt" 2> "$work/err.txt"
status=$?
check "cmd: a profile with a fault ends with exit code 2" test "$status" = 2
check "and its line on standard error" grep -q '^bad.padprofile: Line 2: a value is not a number.' "$work/err.txt"
check "and nothing on standard output" test ! -s "$work/out.txt"

# Without a mode the twin starts padconfig.exe's dialog and returns at once.
timeout 30 "$build/wine-run" cmd /c "padconfig --port COM1" > /dev/null 2>&1
status=$?
check "cmd: the twin without a mode ends with exit code 0 at once" test "$status" = 0
check "while padconfig.exe shows the dialog" "$build/wine-run" "$build/bin/drive.exe" wait-dialog
check "which closes as ever" "$build/wine-run" "$build/bin/drive.exe" close wait-gone

finish
