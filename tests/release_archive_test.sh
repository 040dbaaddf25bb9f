#!/usr/bin/env bash
# The release archive as a user gets it: both programs statically linked and
# carrying their version, README and licence beside them, and the tool
# starting under Wine from an unpacked copy outside the build tree.
set -uo pipefail
source=$(cd "$(dirname "$0")/.." && pwd); build=$(cd "${1:?build folder}" && pwd)
. "$source/tests/support/checks.sh"
unpacked=$(mktemp -d /tmp/padconfig-release.XXXXXX)
trap 'rm -rf "$unpacked"' EXIT
version=$(sed -n 's/.*project(padconfig VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
archive=$build/padconfig-$version-win64.zip
rm -f "$build"/padconfig-*-win64.zip  # an archive of an earlier build is no proof
(cd "$build" && cpack -G ZIP >/dev/null) || { echo "FAILED: cpack"; exit 1; }
unzip -q "$archive" -d "$unpacked" || { echo "FAILED: unpacking $archive"; exit 1; }
dir=$unpacked/padconfig-$version-win64

for file in padconfig.exe padconfig.com padsim.exe README.md docs/command-line.md docs/screenshots/startup.png LICENSE padconfig; do
  check "the archive holds $file" test -s "$dir/$file"
done
# Only the system's own DLLs: nothing else needs to travel with the programs.
# The imports are read at all (kernel32 is always there), and none is foreign.
system_only() {
  local dlls
  dlls=$(x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name/ {print tolower($3)}') || return 1
  grep -qx 'kernel32.dll' <<<"$dlls" || { echo "  no imports read from $1"; return 1; }
  ! grep -v -E '^(kernel32|user32|gdi32|shell32|shlwapi|advapi32|comdlg32|setupapi|msvcrt|ntdll|psapi)\.dll$' <<<"$dlls"
}
has_version() { local texts; texts=$(x86_64-w64-mingw32-strings -el "$1") && says -xF "$version" "$texts"; }
for exe in padconfig.exe padconfig.com padsim.exe; do
  check "$exe imports only system DLLs" system_only "$dir/$exe"
  check "$exe carries the project's version" has_version "$dir/$exe"
done

export PADCONFIG_BUILD=$build
wine() { "$source/scripts/wine-run" "$@"; }
"$source/scripts/wine-run" "$dir/padconfig.exe" & tool=$!
check "the unpacked tool shows its dialog" wine "$build/bin/drive.exe" wait-dialog
wine "$build/bin/drive.exe" close
end_of "$tool" 15 "the unpacked tool"
check "the unpacked tool ends with status 0" test "$ended" = 0
# The twin is a console program, which cmd runs for "padconfig" and waits for.
subsystem() { x86_64-w64-mingw32-objdump -p "$1" | awk '/^Subsystem/ {print $2}'; }
check "padconfig.com is a console program" test "$(subsystem "$dir/padconfig.com")" = 00000003
check "padconfig.exe is a windowed one" test "$(subsystem "$dir/padconfig.exe")" = 00000002
said=$(cd "$dir" && timeout 60 "$source/scripts/wine-run" cmd /c "padconfig --version" 2>&1)
check "the unpacked twin answers from cmd" test "$(echo "$said" | tr -d '\r')" = "padconfig $version"
finish
