#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the simulated run need, if any is missing.
set -euo pipefail

packages=(
  cmake make g++ pkg-config               # native build of the core
  g++-mingw-w64-x86-64-posix              # the Windows program
  binutils-mingw-w64-x86-64               # objdump for the import check
  googletest libgtest-dev libgmock-dev    # unit tests, native and MinGW
  clang libclang-rt-14-dev                # libFuzzer and sanitizers
  wine wine64 xvfb x11-utils imagemagick  # Wine session, display and screenshots
  fonts-dejavu-core                       # legible text under Xvfb
  fonts-liberation                        # Wine's "Microsoft Sans Serif", as the layouts want
  wixl msitools zip unzip                 # the release's MSI package and portable zip
  python3                                 # the checks of the user guide
  wine64-tools libwine-dev libusb-dev     # the Linux bridge: winegcc, Wine's and libusb-0.1's
  dpkg-dev lintian                        # the Linux package: its dependencies, its check,
  zenity mmdebstrap                       # its launcher's windows, a Debian 13 root to try it
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
