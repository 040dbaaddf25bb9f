#!/usr/bin/env bash
# The Linux launcher, tried as a new user would: a pseudo-terminal stands in
# for the pad's /dev/ttyACM0, the stand-in pad answers on its other end, and
# the tool reads the pad through the launcher's COM1 mapping.
set -uo pipefail
source=$(cd "$(dirname "$0")/.." && pwd); build=$(cd "${1:?build folder}" && pwd)
. "$source/tests/support/checks.sh"
work=$build/launcher; prefix=$build/wine/launcher
cleanup() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  [ -n "${relay:-}" ] && kill "$relay" 2>/dev/null
}
trap cleanup EXIT
rm -rf "$work" "$prefix"; mkdir -p "$work"
cp -a "$build/wine/template" "$prefix"

# The pad's device and the stand-in's end, as the launcher sees them.
socat pty,raw,echo=0,link="$work/ttyACM0" pty,raw,echo=0,link="$work/pad" </dev/null >/dev/null 2>&1 &
relay=$!
wait_for "the pseudo-terminal pair" 5 test -e "$work/ttyACM0" -a -e "$work/pad" || exit 1

refuses() {  # expected message part, launcher arguments...
  local expected=$1; shift
  local out status
  out=$("$@" 2>&1); status=$?
  [ "$status" = 1 ] && says -- "$expected" "$out" || { echo "  status $status, said: $out"; return 1; }
}
check "a missing device is refused with status 1" refuses "does not exist" "$source/scripts/padconfig" "$work/ttyACM9"
# User nobody may not enter the checkout's folders (a clone in a private
# folder): it gets a copy of the launcher and the device's own path.
device=$(readlink -f "$work/ttyACM0"); chmod 600 "$device"
public=$(mktemp -d); chmod 755 "$public"; cp "$source/scripts/padconfig" "$public/"
check "an unreadable device is refused, naming the group" \
  refuses "join the group" runuser -u nobody -- "$public/padconfig" "$device"
rm -rf "$public"

export WINEPREFIX=$prefix DISPLAY=$(cat "$build/wine/display") PADCONFIG_EXE=$build/bin/padconfig.exe
# Another Windows program in the prefix: the launcher ends nothing unless told to.
WINEDEBUG=-all wine "$build/bin/desktop_keeper.exe" & other=$!
in_prefix() { says -xF "WINEPREFIX=$prefix" "$(tr '\0' '\n' 2>/dev/null < "/proc/$1/environ")"; }
wait_for "the other program in the prefix" 10 in_prefix "$other" || exit 1
check "with another program running, the launcher refuses" \
  refuses "other Windows programs run" "$source/scripts/padconfig" "$work/ttyACM0" "COM12=$work/pad"
check "and the other program still runs" kill -0 "$other"
# A Japanese user: the dialog is English only when --lang en reaches it.
LANG=ja_JP.UTF-8 "$source/scripts/padconfig" --lang en --restart-wine "$work/ttyACM0" "COM12=$work/pad" > "$work/launcher.log" 2>&1 &
launcher=$!
# Other programs join the prefix only once the launcher has restarted its
# server with the new mapping: one started earlier would be ended with it.
drive() { WINEDEBUG=-all LANG=ja_JP.UTF-8 wine "$build/bin/drive.exe" "$@"; }
runs_tool() { says 'padconfig\.exe' "$(tr '\0' ' ' 2>/dev/null < "/proc/$launcher/cmdline")"; }
wait_for "the launcher to start the tool" 30 runs_tool || exit 1
check "the launcher shows the dialog" drive wait-dialog
check "the launcher passes --lang en on" eval 'says "USB game pad settings" "$(drive title)"'
start_pad "$work/wire.log" env WINEDEBUG=-all wine "$build/bin/padsim.exe" COM12 --buttons 8 --seconds 20
drive click 1005
check "the read through COM1 reaches the stand-in on COM12" \
  wait_for "the stand-in's record of the read" 10 holds "$work/wire.log" 'tool> Ini_Disp'
check "the dialog is idle after the read" drive wait-idle
drive close
end_of "$launcher" 15 "the tool"
check "the tool ends with status 0" test "$ended" = 0
check "the launcher said which device is COM1" grep -q "COM1 is $work/ttyACM0" "$work/launcher.log"
kill "$sim" 2>/dev/null; end_of "$sim" 5 "the stand-in"
check "what follows -- goes to the tool, and its exit code comes back" \
  refuses "Cannot open COM77" "$source/scripts/padconfig" --lang en --restart-wine "$work/ttyACM0" -- --port COM77 --read

finish
