#!/usr/bin/env bash
# The native build as a Linux user makes it: configured with the host's
# compiler, installed into a folder of its own, and the installed programs
# run end to end, padconfig against padsim on a pseudo-terminal pair.
set -uo pipefail
source=$(cd "$(dirname "$0")/.." && pwd); build=$(cd "${1:?build folder}" && pwd)
. "$source/tests/support/checks.sh"
native=$build/native root=$build/native-root work=$build/native-install
rm -rf "$root" "$work"; mkdir -p "$work"
trap 'kill ${sim:-} ${relay:-} 2>/dev/null; wait ${sim:-} ${relay:-} 2>/dev/null' EXIT

cmake -S "$source" -B "$native" -DCMAKE_BUILD_TYPE=Release >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
cmake --build "$native" -j2 >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
DESTDIR=$root cmake --install "$native" --prefix /usr/local >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }
bin=$root/usr/local/bin
check "padconfig is installed in bin/" test -x "$bin/padconfig"
check "with its manual page" test -s "$root/usr/local/share/man/man1/padconfig.1"
check "it tells its version" test "$("$bin/padconfig" --version)" = "padconfig $(sed -n 's/^project(padconfig VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")"
libraries=$(ldd "$bin/padconfig") || libraries="ldd failed"
check "the library check sees the libraries at all" says libc.so "$libraries"
check "it needs no library beyond the C++ and C ones" \
  test -z "$(grep -v -e linux-vdso -e libstdc -e libm.so -e libgcc_s -e libc.so -e ld-linux <<<"$libraries")"

socat pty,raw,echo=0,link="$work/tool" pty,raw,echo=0,link="$work/pad" </dev/null >/dev/null 2>&1 & relay=$!
wait_for "the pair's links" 5 test -e "$work/tool" -a -e "$work/pad" || exit 1
start_pad "$work/wire.log" "$bin/padsim" "$work/pad" --buttons 16 --direction 8 --masks 1,128,0,0 --seconds 10
LANG=ja_JP.UTF-8 "$bin/padconfig" --port "$work/tool" --read >"$work/out.txt" 2>"$work/err.txt" & run=$!
end_of "$run" 15 "padconfig --read"
check "the installed padconfig reads the pad (exit 0)" test "$ended" = 0
check "and prints its profile" test "$(tr -d '\r' <"$work/out.txt")" = "$(printf '[pad]\nbuttons=16\ndirection=up\nset=1,16')"
LANG=en_US.UTF-8 "$bin/padconfig" --port "$work/tool" --release-all >"$work/release.txt" 2>&1 & run=$!
end_of "$run" 15 "padconfig --release-all"
check "a second run on the same pair: the stand-in still answers (exit 0)" test "$ended" = 0
check "and it says so" holds "$work/release.txt" "All released"
check "the stand-in saw the tool's queries" holds "$work/wire.log" "tool> e_num?"
finish
