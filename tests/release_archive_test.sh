#!/usr/bin/env bash
# The release archive as a user gets it: both programs statically linked and
# carrying their version, README and licence beside them, and the tool
# starting under Wine from an unpacked copy outside the build tree.
set -u
source=$(cd "$(dirname "$0")/.." && pwd); build=$(cd "${1:?build folder}" && pwd)
failures=0; passes=0
check() {
  local name=$1; shift
  if "$@"; then passes=$((passes + 1)); echo "ok: $name"; else failures=$((failures + 1)); echo "FAILED: $name"; fi
}
unpacked=$(mktemp -d /tmp/padconfig-release.XXXXXX)
trap 'rm -rf "$unpacked"' EXIT
(cd "$build" && cpack -G ZIP >/dev/null) || { echo "FAILED: cpack"; exit 1; }
archive=$(ls "$build"/padconfig-*-win64.zip | head -n1)
unzip -q "$archive" -d "$unpacked"
dir=$(ls -d "$unpacked"/padconfig-*)

for file in padconfig.exe padconfig.com padsim.exe README.md LICENSE padconfig; do
  check "the archive holds $file" test -s "$dir/$file"
done
# Only the system's own DLLs: nothing else needs to travel with the programs.
system_only() {
  ! x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name/ {print tolower($3)}' |
    grep -v -E '^(kernel32|user32|gdi32|shell32|shlwapi|advapi32|comdlg32|msvcrt|ntdll|psapi)\.dll$'
}
has_version() { x86_64-w64-mingw32-strings -el "$1" | grep -qx "$(sed -n 's/.*project(padconfig VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")"; }
for exe in padconfig.exe padconfig.com padsim.exe; do
  check "$exe imports only system DLLs" system_only "$dir/$exe"
  check "$exe carries the project's version" has_version "$dir/$exe"
done

export PADCONFIG_BUILD=$build
wine() { "$source/scripts/wine-run" "$@"; }
wine "$dir/padconfig.exe" & tool=$!
check "the unpacked tool shows its dialog" wine "$build/bin/drive.exe" wait-dialog
wine "$build/bin/drive.exe" close
wait "$tool"; status=$?
check "the unpacked tool ends with status 0" test "$status" = 0
# The twin is a console program, which cmd runs for "padconfig" and waits for.
set -o pipefail
subsystem() { x86_64-w64-mingw32-objdump -p "$1" | awk '/^Subsystem/ {print $2}'; }
check "padconfig.com is a console program" test "$(subsystem "$dir/padconfig.com")" = 00000003
check "padconfig.exe is a windowed one" test "$(subsystem "$dir/padconfig.exe")" = 00000002
version=$(cd "$dir" && timeout 60 "$source/scripts/wine-run" cmd /c "padconfig --version" 2>&1)
check "the unpacked twin answers from cmd" test "$(echo "$version" | tr -d '\r')" = "padconfig $(sed -n 's/.*project(padconfig VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")"

echo "$passes passed, $failures failed"
[ "$failures" = 0 ]
