#!/usr/bin/env bash
# tests/arm_rows.sh BUILD_DIR arm64|armhf: the ARM build of padconfig
# (scripts/build, BUILD_DIR/ARCH) under qemu's user-mode emulator, in a few of
# the native rows: the rows' test stays x86-64, only the program under it is
# ARM. Fails, saying what is missing, without the emulator or the builds.
set -euo pipefail
. "$(dirname "$0")/../scripts/arm-targets"
# Absolute: the rows run the program from a folder of their own.
build=$(realpath -m "${1:?build folder}")
arch=${2:?arm64 or armhf}
emulator=""
for target in "${arm_targets[@]}"; do
  set -- $target
  [ "$1" != "$arch" ] || libraries=/usr/$2 emulator=$3
done
[ -n "$emulator" ] || { echo "arm_rows: unknown architecture $arch (${arm_targets[*]%% *})"; exit 2; }
program=$build/$arch/bin/padconfig
rows=$build/native-checks/command_rows_native_test
missing() { echo "arm_rows: $1"; exit 1; }
command -v "$emulator" >/dev/null || missing "no $emulator: run scripts/install-deps (qemu-user-static)"
[ -d "$libraries/lib" ] || missing "no $libraries/lib, the $arch C and C++ libraries: run scripts/install-deps"
[ -x "$program" ] || missing "no $program: run scripts/build"
[ -x "$rows" ] || missing "no $rows: run scripts/build"

# The wrapper counts its runs: rows that ran another padconfig would pass too.
wrapper=$build/$arch/padconfig-emulated
runs=$build/$arch/emulated-runs
printf '#!/bin/sh\necho run >>%s\nexec %s -L %s %s "$@"\n' "$runs" "$emulator" "$libraries" "$program" >"$wrapper"
chmod +x "$wrapper"

names="command_read command_apply command_port_in_use command_port_gone_mid_run command_silent_pad"
filter=Pauses.OfRowsOfTheTable
for name in $names; do filter="$filter:Rows/Commands.Row/$name"; done
export ASAN_OPTIONS=abort_on_error=0:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
log=$build/$arch/arm-rows.log
status=0
: >"$runs"
PADCONFIG_PROGRAM=$wrapper LANG=en_US.UTF-8 timeout 300 "$rows" --gtest_filter="$filter" >"$log" 2>&1 || status=$?
if [ "$status" != 0 ]; then
  echo "arm_rows: the $arch rows failed (status $status$([ "$status" = 124 ] && echo ': ended after 300 s')):"
  cat "$log"; exit 1
fi
# A filter that matched fewer tests would pass on what it left out.
summary=$(grep -h "PASSED" "$log") || true
[ "$summary" = "[  PASSED  ] 6 tests." ] || { cat "$log"; missing "expected 6 tests passed, got: ${summary:-none}"; }
ran=$(wc -l <"$runs")
[ "$ran" -ge "$(echo $names | wc -w)" ] || missing "the rows ran the $arch padconfig $ran times, not once a row at least"
echo "arm_rows: $arch $summary, the $arch padconfig run $ran times"
