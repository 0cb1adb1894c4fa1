#!/bin/sh
# What scripts/install-linux.sh would do, seen through its dry run, which changes nothing: for a
# user without a home folder (nobody), where the program and libusb0.dll go, the udev rule and the
# menu entry; and root refused as the user.
# Usage: install_linux_test.sh path/to/install-linux.sh
set -eu
script=$1
getent passwd nobody >/dev/null || exit 77  # skipped

plan=$(bash "$script" --dry-run nobody)
prefix=/nonexistent/.local/share/talvorne/wine
expect() {
  printf '%s\n' "$plan" | grep -qxF -- "$1" || { echo "not in the plan: $1" >&2; exit 1; }
}
expect "+ runuser -u nobody -- env HOME=/nonexistent WINEPREFIX=$prefix WINEARCH=win64 \
WINEDEBUG=-all WINEDLLOVERRIDES=mscoree\\,mshtml=\\;winemenubuilder.exe=d wineboot -i"
expect "+ install -o nobody -g nogroup -m 0644 build/windows/shell/Talvorne.exe \
$prefix/drive_c/Program\\ Files/Talvorne/Talvorne.exe"
expect "+ install -o nobody -g nogroup -m 0644 build/linux/linux/libusb0.dll.so \
$prefix/drive_c/windows/system32/libusb0.dll"
expect "+ write /etc/udev/rules.d/70-talvorne-oscilloscope.rules (owner root):"
expect 'SUBSYSTEM=="usb", ENV{DEVTYPE}=="usb_device", ATTR{idVendor}=="5345", ATTR{idProduct}=="1234", TAG+="uaccess"'
expect "+ write /nonexistent/.local/share/applications/talvorne.desktop (owner nobody):"
expect "Exec=env \"WINEPREFIX=$prefix\" wine \"$prefix/drive_c/Program Files/Talvorne/Talvorne.exe\""
expect "Name=Talvorne"

if bash "$script" --dry-run root 2>/dev/null; then
  echo "root was taken as the user" >&2
  exit 1
fi
