#!/usr/bin/env bash
# Sets Talvorne up on a Debian 12 PC for a real oscilloscope, for one user:
# - installs the Debian packages and builds Talvorne.exe and the libusb0.dll of linux/, which
#   reaches the oscilloscope through Linux's libusb-0.1;
# - makes a Wine prefix of the user's (~/.local/share/talvorne/wine) holding Talvorne.exe and,
#   in system32 where the driver would be, that libusb0.dll;
# - lets the logged-in user reach the oscilloscope (a udev rule for 5345:1234);
# - adds "Talvorne" to the user's applications menu.
# Usage, as root: sudo bash scripts/install-linux.sh [USER]   (USER: the one who ran sudo)
#   --dry-run first prints every command and file instead, changing nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

dry_run=0
if [[ ${1:-} == --dry-run ]]; then
  dry_run=1
  shift
fi
user=${1:-${SUDO_USER:-}}

fail() {
  echo "install-linux.sh: $*" >&2
  exit 1
}

[[ -n $user ]] || fail "name the user who will run Talvorne: sudo bash scripts/install-linux.sh USER"
entry=$(getent passwd "$user") || fail "no user named $user"
uid=$(cut -d: -f3 <<<"$entry")
home=$(cut -d: -f6 <<<"$entry")
((uid != 0)) || fail "Talvorne runs as the teacher, not as root: name that user"
((dry_run || EUID == 0)) || fail "run it as root (sudo), or with --dry-run to see what it does"
((dry_run)) || [[ -d $home ]] || fail "$user has no home folder ($home)"
group=$(id -gn "$user")

data=$home/.local/share/talvorne
prefix=$data/wine
program_dir="$prefix/drive_c/Program Files/Talvorne"
program=$program_dir/Talvorne.exe
rule=/etc/udev/rules.d/70-talvorne-oscilloscope.rules
desktop_entry=$home/.local/share/applications/talvorne.desktop

# Runs a command, or only shows it in a dry run.
run() {
  if ((dry_run)); then
    printf '+'
    printf ' %q' "$@"
    printf '\n'
  else
    "$@"
  fi
}

as_user() {
  run runuser -u "$user" -- env HOME="$home" WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" "$@"
}

# Writes standard input to a file with that owner, or only shows it in a dry run.
write_file() {
  local path=$1 owner=$2 contents
  contents=$(cat)
  if ((dry_run)); then
    printf '+ write %s (owner %s):\n%s\n' "$path" "$owner" "$contents"
  else
    install -o "$owner" -g "$(id -gn "$owner")" -m 0644 /dev/stdin "$path" <<<"$contents"
  fi
}

# A desktop entry's quoted argument: \, ", ` and $ are escaped.
desktop_quoted() {
  local text=$1
  text=${text//\\/\\\\}
  text=${text//\"/\\\"}
  text=${text//\`/\\\`}
  text=${text//\$/\\\$}
  printf '"%s"' "$text"
}

echo "=== Packages and the build: Talvorne.exe and libusb0.dll"
run bash scripts/install-packages.sh
run cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release
run cmake --build build/windows -j"$(nproc)" --target Talvorne
run cmake -S . -B build/linux -DTALVORNE_LINUX_BRIDGE=ON -DCMAKE_BUILD_TYPE=Release
run cmake --build build/linux -j"$(nproc)" --target libusb0

echo "=== Wine prefix of $user: $prefix"
as_user mkdir -p "$data" "$home/.local/share/applications"
as_user wineboot -i
as_user wineserver -w  # the prefix's server has ended
as_user mkdir -p "$program_dir"
run install -o "$user" -g "$group" -m 0644 build/windows/shell/Talvorne.exe "$program"
run install -o "$user" -g "$group" -m 0644 build/linux/linux/libusb0.dll.so \
  "$prefix/drive_c/windows/system32/libusb0.dll"
run convert resources/talvorne.ico "$data/talvorne.png"
run chown "$user:$group" "$data/talvorne.png"

echo "=== Access to the oscilloscope for the logged-in user: $rule"
write_file "$rule" root <<'EOF'
# Talvorne: the USB oscilloscope, for the user logged in at this computer.
SUBSYSTEM=="usb", ENV{DEVTYPE}=="usb_device", ATTR{idVendor}=="5345", ATTR{idProduct}=="1234", TAG+="uaccess"
EOF
if command -v udevadm >/dev/null; then
  run udevadm control --reload-rules || echo "udev is not running: the rule applies at next start"
  run udevadm trigger --action=add --subsystem-match=usb --attr-match=idVendor=5345 \
    --attr-match=idProduct=1234 || true
fi

echo "=== Menu entry: $desktop_entry"
write_file "$desktop_entry" "$user" <<EOF
[Desktop Entry]
Type=Application
Name=Talvorne
Comment=Récupère les courbes de l'oscilloscope USB
Exec=env $(desktop_quoted "WINEPREFIX=$prefix") wine $(desktop_quoted "$program")
Icon=$data/talvorne.png
Terminal=false
Categories=Education;Science;
StartupWMClass=talvorne.exe
EOF

echo "=== Done. Plug the oscilloscope in (again), then start Talvorne from the menu."
