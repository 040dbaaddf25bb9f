#!/usr/bin/env bash
# Fails when any process started for this build folder still runs: Wine
# programs and servers of its prefixes, the serial relays, the virtual display.
set -uo pipefail
build=$(cd "${1:?build folder}" && pwd)
sleep 1  # a server told to end takes a moment
left=""
for proc in /proc/[0-9]*; do
  [ "${proc#/proc/}" = "$$" ] && continue
  cmdline=$( { tr '\0' ' ' < "$proc/cmdline"; } 2>/dev/null) || continue
  environ=$( { tr '\0' '\n' < "$proc/environ"; } 2>/dev/null | grep -E '^(WINEPREFIX|PADCONFIG_BUILD)=')
  case "$cmdline $environ" in
    *"$build/wine"*|*"PADCONFIG_BUILD=$build"*) left="$left${proc#/proc/}: $cmdline"$'\n' ;;
  esac
done
pid=$(cat "$build/wine/xvfb.pid" 2>/dev/null) && kill -0 "$pid" 2>/dev/null && left="$left$pid: Xvfb"$'\n'
if [ -n "$left" ]; then
  printf 'processes left behind:\n%s' "$left"
  exit 1
fi
echo "no process of $build is left"
