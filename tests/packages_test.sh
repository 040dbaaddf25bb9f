#!/usr/bin/env bash
# The Debian package of each native build folder as a user gets it: its
# control fields and files, lintian's verdict; the host's installed with
# dpkg, reading the stand-in through /usr/bin/padconfig, then purged; the
# plain cmake --install under another prefix; the ARM ones unpacked and run
# under their emulators; the release folder's files and checksums.
set -uo pipefail
source=$(cd "$(dirname "$0")/.." && pwd); build=$(cd "${1:?build folder}" && pwd)
. "$source/tests/support/checks.sh"
version=$(sed -n 's/^project(padconfig VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
work=$(mktemp -d /tmp/padconfig-packages.XXXXXX)
sudo=""; [ "$(id -u)" = 0 ] || sudo="sudo -n"
installed() { local status; status=$(dpkg-query -W -f='${db:Status-Status}' padconfig 2>/dev/null); [ "$status" = installed ]; }
# dpkg, waiting at most a minute for a lock another install holds; its output in LOG.
dpkg_waiting() {  # log, dpkg arguments...
  local log=$1; shift
  wait_for "dpkg's lock" 60 dpkg_unless_locked "$log" "$@"
}
dpkg_unless_locked() { $sudo dpkg "${@:2}" >"$1" 2>&1 || ! holds "$1" "lock"; }
cleanup() {
  kill ${sim:-} ${relay:-} 2>/dev/null; wait ${sim:-} ${relay:-} 2>/dev/null
  [ -n "${locked:-}" ] && installed && dpkg_waiting "$work/cleanup.log" --purge padconfig
  rm -rf "$work"
}
trap cleanup EXIT

# Folder, architecture and how its programs run here.
. "$source/scripts/arm-targets"
entries=("native amd64")
for arm in "${arm_targets[@]}"; do set -- $arm; entries+=("$1 $1 $3 -L /usr/$2"); done
packages=()
for entry in "${entries[@]}"; do
  set -- $entry; folder=$1 arch=$2; shift 2
  deb=$build/$folder/padconfig_$version-1_$arch.deb
  packages+=("$deb")
  check "$folder: its package is built" test -s "$deb"
  fields=$(dpkg-deb -f "$deb" Package Version Architecture Depends Section Priority Maintainer Description) ||
    fields="dpkg-deb -f failed"
  check "$folder: Package padconfig" says -x "Package: padconfig" "$fields"
  check "$folder: Version $version-1" says -x "Version: $version-1" "$fields"
  check "$folder: Architecture $arch" says -x "Architecture: $arch" "$fields"
  check "$folder: Depends on the C and C++ libraries, with minimums" \
    says -E '^Depends: libc6 \(>= [0-9.]+\), (libgcc-s1 \(>= [0-9.]+\), )?libstdc\+\+6 \(>= [0-9.]+\)$' "$fields"
  if [ "$folder" = native ]; then  # a cross build's way to its Depends gives dpkg-shlibdeps' own here
    derived=$(cmake -DCPACK_PADCONFIG_OBJDUMP=objdump "-DCPACK_PADCONFIG_PROGRAMS=$build/native/bin/padconfig;$build/native/bin/padsim" \
      -P "$source/cmake/debian_depends.cmake" 2>&1)
    check "$folder: the symbol versions give the same Depends" says -xF "Depends: $derived" "$fields"
  fi
  check "$folder: Section utils" says -x "Section: utils" "$fields"
  check "$folder: Priority optional" says -x "Priority: optional" "$fields"
  check "$folder: a Maintainer with an address" says -E "^Maintainer: [^<]+ <[^@>]+@[^>]+>$" "$fields"
  check "$folder: the Description names the pad" says -F "H8/3052F or H8/3048F" "$fields"
  check "$folder: and its serial line" says -F "9600 baud" "$fields"
  listing=$(dpkg-deb -c "$deb") || listing="dpkg-deb -c failed"
  for file in usr/bin/padconfig usr/bin/padsim usr/share/man/man1/padconfig.1.gz usr/share/man/man1/padsim.1.gz \
      usr/share/doc/padconfig/copyright \
      usr/share/doc/padconfig/changelog.Debian.gz usr/share/doc/padconfig/70-gamepad.rules.example; do
    check "$folder: holds /$file, owned by root" says -E "^[-rwx]{10} root/root .* \./$file\$" "$listing"
  done
  check "$folder: nothing else besides its folders" test "$(grep -c -v -e '^d' <<<"$listing")" = 7
  dpkg-deb -x "$deb" "$work/$folder"
  rule=$(grep -F 'SUBSYSTEM=="tty"' "$source/docs/linux.md") || rule="no rule in docs/linux.md"
  check "$folder: the example udev rule is the one docs/linux.md shows" holds "$work/$folder/usr/share/doc/padconfig/70-gamepad.rules.example" "^${rule#    }\$"
  for page in padconfig padsim; do
    header=$(zcat "$work/$folder/usr/share/man/man1/$page.1.gz" | grep '^\.TH') || header="no .TH in $page.1.gz"
    check "$folder: $page(1) is the page of version $version" says -F "\"padconfig $version\"" "$header"
  done
  if [ $# -gt 0 ]; then
    said=$(timeout 30 "$@" "$work/$folder/usr/bin/padconfig" --version 2>&1)
    check "$folder: its padconfig tells its version under $1" test "$said" = "padconfig $version"
  fi
done

verdict=$(lintian --fail-on error "${packages[@]}" 2>&1); status=$?
echo "$verdict"
check "lintian finds no error" test "$status" = 0

# The host's package installed, used and purged, by one run at a time: another
# checkout's run of this test installs the same package.
exec 9>/tmp/padconfig-packages-test.lock  # not handed to the processes started below (9>&-)
flock -w 60 9 || { echo "FAILED: another run held the system's padconfig for a minute"; exit 1; }
locked=1
deb=${packages[0]}
installed && dpkg_waiting "$work/purge.log" --purge padconfig
dpkg_waiting "$work/install.log" -i "$deb"
installed || cat "$work/install.log"
check "dpkg installs it" installed
check "/usr/bin/padconfig tells its version" test "$(/usr/bin/padconfig --version)" = "padconfig $version"
socat pty,raw,echo=0,link="$work/tool" pty,raw,echo=0,link="$work/pad" </dev/null >/dev/null 2>&1 9>&- & relay=$!
wait_for "the pair's links" 5 test -e "$work/tool" -a -e "$work/pad" || exit 1
start_pad "$work/wire.log" /usr/bin/padsim "$work/pad" --buttons 16 --direction 8 --masks 1,128,0,0 --seconds 10 9>&-
/usr/bin/padconfig --port "$work/tool" --read >"$work/out.txt" 2>"$work/err.txt" 9>&- & run=$!
end_of "$run" 15 "padconfig --read"
check "the installed padconfig reads the stand-in (exit 0)" test "$ended" = 0
check "and prints its profile" test "$(tr -d '\r' <"$work/out.txt")" = "$(printf '[pad]\nbuttons=16\ndirection=up\nset=1,16')"
/usr/bin/padconfig --port "$work/tool" --release-all >"$work/release.txt" 2>&1 9>&- & run=$!
end_of "$run" 15 "padconfig --release-all"
check "a second run on the same stand-in releases all (exit 0)" test "$ended" = 0
kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null; sim=""
check "the manual page and the doc folder are there" test -s /usr/share/man/man1/padconfig.1.gz -a -d /usr/share/doc/padconfig
dpkg_waiting "$work/purge.log" --purge padconfig
check "dpkg purges it" test "$(dpkg-query -W -f='${db:Status-Status}' padconfig 2>/dev/null)" != installed
for path in /usr/bin/padconfig /usr/bin/padsim /usr/share/doc/padconfig /usr/share/man/man1/padconfig.1.gz; do
  check "purging leaves no $path" test ! -e "$path"
done

# The plain install that the package is made from, under a prefix of the
# user's: the programs, and the manual page uncompressed.
DESTDIR=$work/plain cmake --install "$build/native" --prefix /usr/local >"$work/plain.log" 2>&1 || cat "$work/plain.log"
for file in bin/padconfig bin/padsim share/man/man1/padconfig.1; do
  check "cmake --install puts $file under its prefix" test -s "$work/plain/usr/local/$file"
done

# The release folder: the zip and these packages, each as its checksum says.
wanted=$(printf '%s\n' "padconfig-$version-win64.zip" "${packages[@]##*/}" | sort)
listed=$(awk '{print $2}' "$build/release/SHA256SUMS" | sort)
check "the release holds the zip and the three packages" test "$listed" = "$wanted"
sums=$(cd "$build/release" && sha256sum -c SHA256SUMS 2>&1); status=$?
echo "$sums"
check "the release's checksums hold" test "$status" = 0
finish
