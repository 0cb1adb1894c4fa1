# Sourced by the packaging scripts and the package test: facts of a release taken from the sources.

# The program's version as resources/version.h holds it: "1.0.0.4" (major, minor, release, build).
talvorne_version() {
  local header=$1/resources/version.h field version=
  for field in MAJOR MINOR RELEASE BUILD; do
    version+=$(sed -n "s/^#define TALVORNE_VERSION_$field \([0-9]\+\)$/\1/p" "$header").
  done
  version=${version%.}
  [[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || {
    echo "$header: no version found ($version)" >&2
    return 1
  }
  echo "$version"
}

# The package's three-field version: Windows Installer ignores a fourth field, so release and
# build share the third (1.0.0.4 gives 1.0.4, 1.0.1.4 gives 1.0.1004).
msi_version() {
  local major minor release build
  IFS=. read -r major minor release build <<<"$1"
  if ((major > 255 || minor > 255 || build > 999 || release * 1000 + build > 65535)); then
    echo "version $1 does not fit an MSI package: major and minor at most 255, build below" \
      "1000, release × 1000 + build at most 65535" >&2
    return 1
  fi
  echo "$major.$minor.$((release * 1000 + build))"
}

# The package's product code, one per version: a package rebuilt without a new version is then
# the same product, which Windows Installer will not install a second time beside the first.
product_code() {
  local digest
  digest=$(printf 'Talvorne %s' "$1" | md5sum | tr a-f A-F)
  echo "${digest:0:8}-${digest:8:4}-${digest:12:4}-${digest:16:4}-${digest:20:12}"
}

# The package's upgrade code, the same for every version: talvorne.wxs holds it.
upgrade_code() {
  sed -n 's/.* UpgradeCode="\([0-9A-F-]*\)".*/\1/p' "$1/packaging/talvorne.wxs"
}

# The pictures the guide shows (docs/images/NAME), one name a line.
guide_pictures() {
  grep -o 'src="images/[^"]*"' "$1/docs/guide.html" | sed 's/^src="images\///; s/"$//' | sort -u
}

# Where the Corresponding Source of a release is offered to everyone who gets the program (GNU GPL
# version 3, section 6): the third-party licences of the zip and the MSI and the Linux package's
# copyright name it.
# TO BE FILLED IN before the first public release: the project has no public address yet.
source_address="https://example.org/talvorne/source"

# The upstream version of an installed Debian package, such as the toolchain's: "12.2.0" for
# "12.2.0-14+deb12u1+25.2+b1".
installed_version() {
  dpkg-query -W -f='${Version}' "$1" | sed 's/^[0-9]*://; s/-[^-]*$//'
}

# The toolchain's files of which the program holds code, as the third-party licences NOTICES
# (packaging/LICENCES-TIERCES.txt, or its copy in the zip) name them, one a line.
linked_files() {
  sed -n 's/^ *Fichiers liés[^:]*: //p' "$1" | tr ',' '\n' | tr -d ' ' | sort -u
}
