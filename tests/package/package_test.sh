#!/usr/bin/env bash
# The release artefacts as packaging/make-artefacts.sh makes them from the built program. The
# portable zip must hold one folder with the program, its licence, the licences of what it holds
# from others, which must name exactly the toolchain's files that LINK_MAP shows in the program,
# and the guide with every picture it shows, and nothing else; the guide must give the package's
# ProductCode and UpgradeCode. The MSI packages (this version, the same version rebuilt, a higher
# one) are then tried by msi_package_test.exe in a Wine session of its own, in a fresh prefix.
# Usage: package_test.sh TALVORNE_EXE LINK_MAP MSI_PACKAGE_TEST_EXE WORK_FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/packaging/release.sh"
program=$1
map=$2
test_program=$3
work=$4
rm -rf "$work"
mkdir -p "$work/pictures"

fail() {
  echo "FAILED: $*"
  exit 1
}

version=$(talvorne_version "$root")
IFS=. read -r major minor release build <<<"$version"
higher=$major.$minor.$release.$((build + 1))

# A release takes the guide's pictures from the scripted run; any picture will do here.
for picture in $(guide_pictures "$root"); do
  convert -size 16x16 xc:gray "$work/pictures/$picture"
done
build_artefacts() {
  bash "$root/packaging/make-artefacts.sh" "$program" "$work/pictures" "$work/$1" "${@:2}" \
    >/dev/null
}
build_artefacts current
build_artefacts rebuilt
build_artefacts higher "$higher"

folder=Talvorne-$version
expected=$({
  printf '%s\n' "$folder/" "$folder/Talvorne.exe" "$folder/LICENCE.txt" \
    "$folder/LICENCES-TIERCES.txt" "$folder/Guide/" "$folder/Guide/guide.html" \
    "$folder/Guide/images/"
  guide_pictures "$root" | sed "s|^|$folder/Guide/images/|"
} | sort)
zip=$work/current/$folder-portable.zip
diff <(echo "$expected") <(unzip -Z1 "$zip" | sort) || fail "the zip does not hold what it should"
unzip -q "$zip" -d "$work/portable"
cmp -s "$program" "$work/portable/$folder/Talvorne.exe" || fail "the zip's Talvorne.exe differs"
guide=$work/portable/$folder/Guide/guide.html
! grep -q '@[A-Z_]*@' "$guide" || fail "the guide still holds placeholders"
grep -qF "$folder.msi" "$guide" || fail "the guide does not name the package $folder.msi"
echo "The portable zip holds the program, its licences and the guide with its pictures"

# The licences are texts for Windows; as written, LICENCE.txt is the project's LICENSE, and the
# third-party licences have every placeholder filled in and give the source's address.
for text in LICENCE.txt LICENCES-TIERCES.txt; do
  file=$work/portable/$folder/$text
  [[ $(head -c3 "$file") == $'\xef\xbb\xbf' ]] && ! grep -qv $'\r$' "$file" ||
    fail "$text is not a text for Windows: a byte order mark, then CR LF at each line's end"
  tail -c +4 "$file" | sed 's/\r$//' >"$work/$text"
done
cmp -s "$root/LICENSE" "$work/LICENCE.txt" || fail "LICENCE.txt is not the text of LICENSE"
notices=$work/LICENCES-TIERCES.txt
! grep -q '@[A-Z0-9_]*@' "$notices" || fail "LICENCES-TIERCES.txt still holds placeholders"
grep -qF "$source_address" "$notices" || fail "LICENCES-TIERCES.txt does not give $source_address"

# They name the toolchain's files of which the program holds code, and no other: as the link map
# tells, the object files the linker loaded and the libraries it took members from, but for the
# members that only import a Windows DLL's functions. The program's own libraries are named
# relative to the build tree, the toolchain's by absolute paths.
imports=$(sed -n 's/^ \.idata\$[0-9]* .* \(\/.*)\)$/\1/p' "$map" | sort -u)
linked=$({
  sed -n 's/^LOAD \(\/.*\.o\)$/\1/p' "$map"
  sed -n '/^Archive member included/,/^Discarded input sections/s/^\(\/[^ ]*\.a([^)]*)\).*/\1/p' \
    "$map" | grep -vxF "$imports" | sed 's/(.*//'
} | xargs -n1 basename | sort -u)
diff <(echo "$linked") <(linked_files "$notices") ||
  fail "LICENCES-TIERCES.txt names other files (>) than those the program holds code of (<)"
echo "The licences are there, and name what the program holds from others"

# The guide gives the administrator the package's own codes.
for code in ProductCode UpgradeCode; do
  value=$(msiinfo export "$work/current/$folder.msi" Property | tr -d '\r' | sed -n "s/^$code\t//p")
  [[ -n $value ]] || fail "the package has no $code"
  grep -qF "$value" "$guide" || fail "the guide does not give the package's $code $value"
done
echo "The guide gives the package's ProductCode and UpgradeCode"

windows_path() { echo "Z:${1//\//\\}"; }
export TALVORNE_PACKAGE TALVORNE_REBUILT TALVORNE_UPGRADE TALVORNE_PORTABLE
export TALVORNE_PACKAGE_VERSION TALVORNE_UPGRADE_VERSION
TALVORNE_PACKAGE=$(windows_path "$work/current/$folder.msi")
TALVORNE_REBUILT=$(windows_path "$work/rebuilt/$folder.msi")
TALVORNE_UPGRADE=$(windows_path "$work/higher/Talvorne-$higher.msi")
TALVORNE_PORTABLE=$(windows_path "$work/portable/$folder")
TALVORNE_PACKAGE_VERSION=$(msi_version "$version")
TALVORNE_UPGRADE_VERSION=$(msi_version "$higher")
"$root/scripts/wine-session.sh" "$root/scripts/wine-run.sh" "$test_program"
