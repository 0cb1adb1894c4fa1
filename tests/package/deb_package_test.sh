#!/usr/bin/env bash
# The Linux package as packaging/make-deb.sh makes it from a portable zip and the Linux bridge's
# tree: its fields, its files, its copyright, lintian's verdict and its maintainer scripts without
# udev; then, unpacked into a folder of its own, its launcher run as a teacher would by
# launcher_test.sh, over the bridge tests' stand-in Linux libusb-0.1 (LINUX_TREE/tests/linux), with
# LAUNCHED_PROGRAM_TEST driving Talvorne. The package stays in WORK_FOLDER/dist for
# debian13_package_test.sh. Runs in a Wine session (scripts/test.sh's), for its display.
# Usage: deb_package_test.sh TALVORNE_EXE LINUX_TREE LAUNCHED_PROGRAM_TEST WORK_FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/packaging/release.sh"
program=$1
linux_tree=$2
driver=$3
work=$4

fail() {
  echo "FAILED: $*"
  exit 1
}
[[ -n ${DISPLAY:-} ]] || fail "no display: run it in scripts/wine-session.sh"
rm -rf "$work"
mkdir -p "$work/pictures"

version=$(talvorne_version "$root")
for picture in $(guide_pictures "$root"); do  # any picture will do for the guide
  convert -size 16x16 xc:gray "$work/pictures/$picture"
done
bash "$root/packaging/make-artefacts.sh" "$program" "$work/pictures" "$work/dist" >/dev/null
deb=$(bash "$root/packaging/make-deb.sh" "$work/dist/Talvorne-$version-portable.zip" \
  "$linux_tree/linux/libusb0.dll.so" "$work/dist")
[[ $deb == "$(realpath "$work")/dist/talvorne_$version-1_amd64.deb" ]] || fail "made $deb"

[[ $(dpkg-deb -f "$deb" Version) == "$version-1" ]] || fail "Version: $(dpkg-deb -f "$deb" Version)"
[[ $(dpkg-deb -f "$deb" Architecture) == amd64 ]] || fail "Architecture is not amd64"
# Installable here, with the Wine the tests run on or any newer one; no build tool.
depends=$(dpkg-deb -f "$deb" Depends)
dpkg-checkbuilddeps -d "$depends" /dev/null || fail "this system does not satisfy Depends: $depends"
wine_major=$(dpkg-query -W -f='${Version}' wine64 | sed 's/[.~].*//')
for relation in "wine (>= $wine_major~)" "wine64 (>= $wine_major~)" fonts-liberation zenity; do
  grep -qF "$relation" <<<"$depends" || fail "Depends lacks $relation: $depends"
done
! grep -qE 'wine(64)? \(<' <<<"$depends" || fail "Depends keeps Wine below a version: $depends"
grep -qF 'libusb-0.1-4' <<<"$depends" || fail "Depends lacks libusb-0.1-4: $depends"
! grep -qE 'wine64-tools|libwine-dev|libusb-dev|mingw|g\+\+|cmake' <<<"$depends" ||
  fail "Depends names a build tool: $depends"

expected=$({
  printf '%s\n' ./usr/bin/talvorne ./usr/lib/talvorne/Talvorne.exe \
    ./usr/lib/talvorne/libusb0.dll.so ./usr/lib/udev/rules.d/70-talvorne-oscilloscope.rules \
    ./usr/share/applications/talvorne.desktop ./usr/share/doc/talvorne/changelog.Debian.gz \
    ./usr/share/doc/talvorne/copyright ./usr/share/doc/talvorne/guide.html \
    ./usr/share/man/man1/talvorne.1.gz
  printf './usr/share/icons/hicolor/%s/apps/talvorne.png\n' 16x16 24x24 32x32 48x48
  guide_pictures "$root" | sed 's|^|./usr/share/doc/talvorne/images/|'
} | sort)
diff <(echo "$expected") <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort) ||
  fail "the package does not hold what it should"
! dpkg-deb -c "$deb" | grep -v ' root/root ' || fail "files not owned by root"

# The warnings kept are explained with the release: the package is not made for Debian's archive,
# where a first upload closes the bug that asked for it.
lintian --allow-root --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb" ||
  fail "lintian"

# The copyright gives the source's address, and names each of the toolchain's files of which
# Talvorne.exe holds code, as the zip's licences do (package_test.sh checks them against the link
# map).
copyright=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/talvorne/copyright)
grep -qxF "Source: $source_address" <<<"$copyright" ||
  fail "the copyright lacks Source: $source_address"
for file in $(linked_files "$root/packaging/LICENCES-TIERCES.txt"); do
  grep -qF "$file" <<<"$copyright" || fail "the copyright does not name $file, part of Talvorne.exe"
done

dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/talvorne/changelog.Debian.gz | zcat |
  dpkg-parsechangelog -l - -S Version | grep -qx "$version-1" ||
  fail "the changelog's newest entry is not $version-1"

# Where udev does not run, the maintainer scripts succeed, whether udevadm is missing or there
# and refusing, as it does without its daemon.
mkdir -p "$work/no-udevadm" "$work/refusing-udevadm"
printf '#!/bin/sh\necho "Failed to send reload request: No such file or directory" >&2\nexit 1\n' \
  >"$work/refusing-udevadm/udevadm"
chmod +x "$work/refusing-udevadm/udevadm"
dpkg-deb -e "$deb" "$work/control"
for call in "postinst configure" "postrm remove" "postrm purge"; do
  read -r script argument <<<"$call"
  sh -n "$work/control/$script" || fail "$script is not a valid shell script"
  for tools in no-udevadm refusing-udevadm; do
    PATH="$work/$tools:/usr/bin:/bin" /bin/sh "$work/control/$script" "$argument" ||
      fail "$call failed, with $tools"
  done
done
echo "The package holds what it should, lintian finds no error, its scripts need no udev"

# --- The launcher, unpacked.
dpkg-deb -x "$deb" "$work/unpacked"
bash "$root/tests/package/launcher_test.sh" "$work/unpacked/usr/bin/talvorne" \
  "$linux_tree/tests/linux" "$driver" "$work/launcher"
