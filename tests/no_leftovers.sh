#!/usr/bin/env bash
# Fails when any process started for this build folder still runs: Wine
# programs and servers of its prefixes, the serial relays, the virtual
# display, and any process that runs with PADCONFIG_BUILD set to it. A
# process of its own, known to be there, shows that the search sees one.
set -uo pipefail
build=$(cd "${1:?build folder}" && pwd)
. "$(dirname "$0")/support/checks.sh"
# "PID: COMMAND LINE" for each process of the build but this script's own.
leftovers() {  # read by builtins: a busy machine makes a fork per process slow
  local proc words vars cmdline environ
  for proc in /proc/[0-9]*; do
    [ "${proc#/proc/}" = "$$" ] || [ "${proc#/proc/}" = "$BASHPID" ] && continue
    mapfile -d '' words 2>/dev/null < "$proc/cmdline" || continue
    mapfile -d '' vars 2>/dev/null < "$proc/environ" || vars=()
    local IFS=' '; cmdline="${words[*]}"
    IFS=$'\n'; environ=$'\n'"${vars[*]}"$'\n'
    case "$cmdline$environ" in
      *"$build/wine"*|*$'\n'"PADCONFIG_BUILD=$build"$'\n'*) echo "${proc#/proc/}: $cmdline" ;;
    esac
  done
  local pid; pid=$(cat "$build/wine/xvfb.pid" 2>/dev/null) && kill -0 "$pid" 2>/dev/null && echo "$pid: Xvfb"
}
PADCONFIG_BUILD=$build sleep 60 & control=$!
trap 'kill "$control" 2>/dev/null' EXIT
# A server told to end takes a moment: the rest may take a few seconds to go.
only_the_control() { left=$(leftovers); [ "$left" = "$control: sleep 60" ]; }
wait_for "every process of $build but the control to end" 10 only_the_control
check "the search sees a process of the build with no Wine path in its command line" says -x "$control: sleep 60" "$left"
kill "$control"; wait "$control" 2>/dev/null
others=$(grep -v -x "$control: sleep 60" <<<"$left")
check "no process of $build is left" test -z "$others"
[ -z "$others" ] || printf 'processes left behind:\n%s\n' "$others"
finish
