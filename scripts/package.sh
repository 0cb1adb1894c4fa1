#!/usr/bin/env bash
# Makes a release of Talvorne, the version of resources/version.h:
#   build/dist/Talvorne-<version>.msi           the MSI package, for one PC or a whole classroom
#   build/dist/Talvorne-<version>-portable.zip  the program and its guide, to unpack and run
#   build/dist/talvorne_<version>-1_amd64.deb    the Linux package: the program under Wine, with
#                                                the libusb0.dll of linux/
# Both hold the French user guide (docs/guide.html) with pictures of the program taken afresh by
# the scripted run under Xvfb, so that they show the program as it is built.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=build/package

bash scripts/install-packages.sh

echo "=== Building Talvorne.exe (Release) and the scripted run"
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j"$(nproc)" --target Talvorne demo_driver

echo "=== Pictures for the guide: the scripted run, in French"
rm -rf "$work" build/dist
mkdir -p "$work/pictures"
# A French Windows shows French month names and the decimal comma.
if ! scripts/wine-session.sh env LC_ALL=fr_FR.UTF-8 wine build/windows/tests/demo/demo_driver.exe \
  "$work/run" >"$work/run.log" 2>&1; then
  cat "$work/run.log"
  echo "The scripted run failed: no pictures for the guide" >&2
  exit 1
fi
for bmp in "$work"/run/*.bmp; do
  convert "$bmp" -alpha off "$work/pictures/$(basename "${bmp%.bmp}").png"
done

echo "=== MSI package and portable zip"
bash packaging/make-artefacts.sh build/windows/shell/Talvorne.exe "$work/pictures" build/dist

echo "=== Linux package, with the libusb0.dll of linux/"
source packaging/release.sh
cmake -S . -B build/linux -DTALVORNE_LINUX_BRIDGE=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/linux -j"$(nproc)" --target libusb0
bash packaging/make-deb.sh "build/dist/Talvorne-$(talvorne_version "$root")-portable.zip" \
  build/linux/linux/libusb0.dll.so build/dist
