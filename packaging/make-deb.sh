#!/usr/bin/env bash
# Makes the Linux package OUTPUT/talvorne_<version>-1_amd64.deb from the portable zip of the same
# release, whose program and guide it takes, and the libusb0.dll of linux/ built in its tree:
#   /usr/bin/talvorne, /usr/share/man/man1  the launcher (packaging/deb/talvorne), its manual
#   /usr/lib/talvorne/                      Talvorne.exe and libusb0.dll.so, the bridge
#   /usr/lib/udev/rules.d/                  the oscilloscope's rule, applied by the maintainer
#                                           scripts
#   /usr/share/applications/, icons/        the menu entry, the program's icon in four sizes
#   /usr/share/doc/talvorne/                copyright, the licences of the package's files and of
#                                           what its two programs hold from others, the changelog
#                                           made from CHANGELOG.md, the guide and its pictures
# Every file of the package but the program and the guide is in packaging/deb/; the copyright
# gets the address of the source from packaging/release.sh.
# Usage: make-deb.sh PORTABLE_ZIP BRIDGE OUTPUT_FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/packaging/release.sh"
files=$root/packaging/deb
umask 022

fail() {
  echo "make-deb.sh: $*" >&2
  exit 1
}
(($# == 3)) || { echo "usage: $0 PORTABLE_ZIP BRIDGE OUTPUT" >&2; exit 2; }
zip=$(realpath "$1")
bridge=$(realpath "$2")
mkdir -p "$3"
output=$(realpath "$3")

stage=$(mktemp -d /tmp/talvorne-deb.XXXXXX)
trap 'rm -rf "$stage"' EXIT
unzip -q "$zip" -d "$stage/zip"
portable=("$stage"/zip/Talvorne-*)  # the zip's one folder, named after the version
((${#portable[@]} == 1)) && [[ -f $portable/Talvorne.exe ]] ||
  fail "$zip: no Talvorne-<version> folder"
version=${portable##*/Talvorne-}
maintainer=$(sed -n 's/^Maintainer: //p' "$files/control")

package=$stage/root
lib=$package/usr/lib/talvorne
doc=$package/usr/share/doc/talvorne
install -D -m 0755 "$files/talvorne" "$package/usr/bin/talvorne"
mkdir -p "$package/usr/share/man/man1"
sed "s/@VERSION@/$version/g" "$files/talvorne.1" |
  gzip -9n >"$package/usr/share/man/man1/talvorne.1.gz"
install -D -m 0644 "$portable/Talvorne.exe" "$lib/Talvorne.exe"
install -D -m 0644 "$bridge" "$lib/libusb0.dll.so"
strip --strip-unneeded --remove-section=.comment "$lib/libusb0.dll.so"
install -D -m 0644 "$files/70-talvorne-oscilloscope.rules" \
  "$package/usr/lib/udev/rules.d/70-talvorne-oscilloscope.rules"
install -D -m 0644 "$files/talvorne.desktop" "$package/usr/share/applications/talvorne.desktop"
# The icon is drawn at 32 × 32; menus also want 48 × 48 at least, and smaller ones for lists.
for size in 16 24 32 48; do
  icon=$package/usr/share/icons/hicolor/${size}x$size/apps/talvorne.png
  mkdir -p "$(dirname "$icon")"
  convert "$root/resources/talvorne.ico" -resize "${size}x$size" -strip \
    -define png:exclude-chunks=date,time "$icon"
done
mkdir -p "$doc"
sed "s|@SOURCE_ADDRESS@|$source_address|" "$files/copyright" >"$doc/copyright"
bash "$files/debian-changelog.sh" "$root/CHANGELOG.md" "$version" "$maintainer" |
  gzip -9n >"$doc/changelog.Debian.gz"
cp -r "$portable/Guide/." "$doc/"
find "$doc" -type d -exec chmod 0755 {} + -o -type f -exec chmod 0644 {} +

mkdir -p "$package/DEBIAN"
install -m 0755 "$files/postinst" "$files/postrm" "$package/DEBIAN/"
(cd "$package" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$package/DEBIAN/md5sums"

# The libraries the bridge links (libc6, libstdc++6, libgcc-s1, libusb-0.1-4), as dpkg-shlibdeps
# finds them: it wants a source package's control file, and the package's files beside DEBIAN/.
mkdir -p "$stage/debian"
printf 'Source: talvorne\n\nPackage: talvorne\nArchitecture: amd64\n' >"$stage/debian/control"
libraries=$(cd "$stage" && dpkg-shlibdeps -O "$lib/libusb0.dll.so" | sed -n 's/^shlibs:Depends=//p')
[[ -n $libraries ]] || fail "dpkg-shlibdeps found no library for the bridge"
# The bridge is a Wine library: Wine loads it into the program's process and calls it, and it
# calls Wine, by the rules of the Wine whose headers and tools built it (libwine-dev). Later Wines
# keep those rules for it (the package test runs it under Debian 13's Wine 10), so the package
# takes that Wine or a newer one, and 64-bit Wine, in which the 64-bit program
# runs. The layouts are drawn for Liberation Sans, which Wine puts in place of the program's
# "Microsoft Sans Serif" when it is there, and only a recommendation of Wine's. zenity shows what
# the launcher has to say when it was started from the menu, without a terminal.
wine_major=$(dpkg-query -W -f='${Version}' libwine-dev | sed 's/^[0-9]*://; s/[.~].*//')
relations=", wine (>= $wine_major~), wine64 (>= $wine_major~), fonts-liberation, zenity"

sed -e "s/@VERSION@/$version-1/" -e "s/@DEPENDS@/$libraries$relations/" \
  -e "s/@INSTALLED_SIZE@/$(du -s -k "$package/usr" | cut -f1)/" \
  "$files/control" >"$package/DEBIAN/control"

deb=$output/talvorne_$version-1_amd64.deb
dpkg-deb --root-owner-group --build "$package" "$deb" >/dev/null
echo "$deb"
