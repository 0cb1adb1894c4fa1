#!/usr/bin/env bash
# Makes the two artefacts of a release from a built program and the guide's pictures:
#   OUTPUT/Talvorne-<version>.msi           the MSI package (talvorne.wxs)
#   OUTPUT/Talvorne-<version>-portable.zip  the folder Talvorne-<version>: the program, its licence
#                                           (LICENCE.txt), the licences of what it holds from
#                                           others (LICENCES-TIERCES.txt) and Guide/
# Usage: make-artefacts.sh TALVORNE_EXE PICTURES_FOLDER OUTPUT_FOLDER [VERSION]
# VERSION (four fields) defaults to the one in resources/version.h; the package test passes a
# higher one to build an upgrade. Every picture the guide shows must be in PICTURES_FOLDER.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/packaging/release.sh"

(($# == 3 || $# == 4)) || { echo "usage: $0 TALVORNE_EXE PICTURES OUTPUT [VERSION]" >&2; exit 2; }
program=$(realpath "$1")
pictures=$(realpath "$2")
mkdir -p "$3"
output=$(realpath "$3")
version=${4:-$(talvorne_version "$root")}
package_version=$(msi_version "$version")

# The program's manifest names its version too; it must not drift from version.h.
manifest_version=$(sed -n 's/.*<assemblyIdentity.* name="Talvorne" version="\([0-9.]*\)".*/\1/p' \
  "$root/resources/talvorne.manifest")
if [[ $manifest_version != "$(talvorne_version "$root")" ]]; then
  echo "resources/talvorne.manifest names version $manifest_version," \
    "resources/version.h $(talvorne_version "$root")" >&2
  exit 1
fi

stage=$(mktemp -d /tmp/talvorne-package.XXXXXX)
trap 'rm -rf "$stage"' EXIT
folder=$stage/Talvorne-$version
mkdir -p "$folder/Guide/images"
cp "$program" "$folder/Talvorne.exe"

# Notepad before Windows 10 version 1809 shows lines ended by LF alone as one, and takes UTF-8
# without a byte order mark for the ANSI code page.
windows_text() { { printf '\xef\xbb\xbf'; sed 's/$/\r/'; } >"$1"; }
windows_text "$folder/LICENCE.txt" <"$root/LICENSE"
# The program holds parts of the libraries of the toolchain that built it, the one installed here.
mingw_w64_version=$(installed_version mingw-w64-x86-64-dev)
gcc_version=$(installed_version g++-mingw-w64-x86-64-posix)
sed -e "s/@VERSION@/$version/g" -e "s|@SOURCE_ADDRESS@|$source_address|g" \
  -e "s/@MINGW_W64_VERSION@/$mingw_w64_version/g" -e "s/@GCC_VERSION@/$gcc_version/g" \
  "$root/packaging/LICENCES-TIERCES.txt" | windows_text "$folder/LICENCES-TIERCES.txt"

# The guide names the version of the files it tells about, and the package's codes as Windows
# Installer writes them, in braces.
product_guid=$(product_code "$package_version")
upgrade_guid=$(upgrade_code "$root")
[[ -n $upgrade_guid ]] || { echo "packaging/talvorne.wxs: no UpgradeCode found" >&2; exit 1; }
sed -e "s/@VERSION@/$version/g" -e "s/@PACKAGE_VERSION@/$package_version/g" \
  -e "s/@PRODUCT_CODE@/{$product_guid}/g" -e "s/@UPGRADE_CODE@/{$upgrade_guid}/g" \
  "$root/docs/guide.html" >"$folder/Guide/guide.html"
for picture in $(guide_pictures "$root"); do
  [[ -f $pictures/$picture ]] || { echo "picture missing for the guide: $pictures/$picture" >&2; exit 1; }
  cp "$pictures/$picture" "$folder/Guide/images/"
done

msi=$output/Talvorne-$version.msi
(cd "$folder" && find Guide -type f | sort |
  wixl-heat --var var.Source --directory-ref INSTALLDIR --component-group GuideFiles --win64 -p "") \
  >"$stage/guide.wxs"
rm -f "$msi"
cp "$root/resources/talvorne.ico" "$stage/"
# wixl finds the sources only by paths relative to the folder it runs in.
(cd "$stage" && wixl -a x64 -D Version="$package_version" \
  -D ProductCode="$product_guid" -D Source="Talvorne-$version" \
  -D Win64=yes -D Icon=talvorne.ico -o "$msi" "$root/packaging/talvorne.wxs" guide.wxs) \
  2> >(grep -v 'builder.vala:699: unimplemented' >&2) # said of the shortcut, built all the same
# wixl leaves the summary's language at English and the database's code page unset: French
# texts need both.
msibuild "$msi" -s "Talvorne $version" Talvorne "x64;1036"
printf '\n\n1252\t_ForceCodepage\n' >"$stage/_ForceCodepage.idt"
msibuild "$msi" -i "$stage/_ForceCodepage.idt"

zip=$output/Talvorne-$version-portable.zip
rm -f "$zip"
(cd "$stage" && zip -q -r -X "$zip" "Talvorne-$version")
echo "$msi"
echo "$zip"
