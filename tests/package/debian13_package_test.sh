#!/usr/bin/env bash
# The Linux package on Debian 13 and its Wine 10: installed with apt into a new Debian 13 root, so
# that its Depends are resolved from Debian 13's archive, then its launcher tried there by
# launcher_test.sh as on this machine, over the stand-in Linux libusb-0.1 (LINUX_TREE/tests/linux),
# with LAUNCHED_PROGRAM_TEST driving Talvorne under Debian 13's Wine. The root, made by mmdebstrap,
# is kept as a tarball in ${TALVORNE_TEST_CACHE:-/var/cache/talvorne-tests}, beside the packages apt
# fetched into it, so that later runs on this machine only unpack it; each run works on a new copy,
# removed at the end. Needs root, for chroot, and Debian's archive. Runs in a Wine session, whose
# display the root shares. A failure says why in one line.
# Usage: debian13_package_test.sh PACKAGE_FOLDER LINUX_TREE LAUNCHED_PROGRAM_TEST WORK_FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
packages=("$1"/talvorne_*_amd64.deb)
deb=${packages[0]}
linux_tree=$2
driver=$3
work=$4
cache=${TALVORNE_TEST_CACHE:-/var/cache/talvorne-tests}
suite=trixie

fail() {
  echo "FAILED: $*"
  exit 1
}
[[ -n ${DISPLAY:-} ]] || fail "no display: run it in scripts/wine-session.sh"
((EUID == 0)) || fail "the Debian 13 root needs root, for chroot"
((${#packages[@]} == 1)) && [[ -f $deb ]] ||
  fail "not one package in $1: the linux_package test makes it"
rm -rf "$work"
mkdir -p "$work" "$cache/$suite-archives"

base=$cache/$suite.tar
if [[ ! -f $base ]]; then
  command -v mmdebstrap >/dev/null || fail "mmdebstrap is missing: bash scripts/install-packages.sh"
  part=$cache/$suite.$$.part.tar  # mmdebstrap makes a tarball of a name that ends in .tar
  mmdebstrap --variant=apt "$suite" "$part" >"$work/mmdebstrap.log" 2>&1 || {
    rm -rf "$part"
    fail "mmdebstrap could not make a Debian 13 root: $(grep -m1 -E '^E:' "$work/mmdebstrap.log")"
  }
  mv "$part" "$base"
fi

debian=$(mktemp -d /tmp/talvorne-debian13.XXXXXX)
mounts=(proc dev tmp/.X11-unix)
cleanup() {
  set +e
  # Whatever still runs in the root (a Wine server that outlived its program) ends with it.
  local pid
  for pid in /proc/[0-9]*; do
    [[ $(readlink "$pid/root") == "$debian" ]] && kill -9 "${pid#/proc/}" 2>/dev/null
  done
  local mount
  for mount in "${mounts[@]}"; do
    mountpoint -q "$debian/$mount" && umount -l "$debian/$mount"
  done
  rm -rf --one-file-system "$debian"
}
trap cleanup EXIT
tar -xf "$base" -C "$debian" || fail "$base is not a tarball of a Debian root: remove it"
cp /etc/resolv.conf "$debian/etc/resolv.conf"
mkdir -p "$debian/tmp/.X11-unix"
mount -t proc proc "$debian/proc"
mount --rbind /dev "$debian/dev"
mount --bind /tmp/.X11-unix "$debian/tmp/.X11-unix"
in_debian() {
  chroot "$debian" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    DISPLAY="$DISPLAY" "$@"
}

# What the launcher's test needs beside the package, where it finds it in the repository.
tests=$debian/opt/talvorne-tests
mkdir -p "$tests/scripts" "$tests/tests/package" "$tests/stand-in"
cp "$root/scripts/wine-run.sh" "$tests/scripts/"
cp -r "$root/tests/package/launcher_test.sh" "$root/tests/package/zenity-watcher" \
  "$tests/tests/package/"
cp "$linux_tree"/tests/linux/libusb-0.1.so* "$tests/stand-in/"
cp "$driver" "$tests/launched_program_test.exe"
cp "$deb" "$debian/tmp/"

# The packages fetched by earlier runs, copied rather than shared: apt locks the folder it
# fetches into, and another run may be using the cache.
archives=$debian/var/cache/apt/archives
find "$cache/$suite-archives" -maxdepth 1 -name '*.deb' -exec cp -n -t "$archives" {} +
in_debian apt-get update -q >"$work/apt.log" 2>&1 ||
  fail "apt could not read Debian 13's archive: $(grep -m1 -E '^(E|W):' "$work/apt.log")"
# apt's reason: the package's unmet relations, else its first error.
refusal() {
  local unmet
  unmet=$(sed -n '/^ *talvorne : /,/^E:/p' "$work/apt.log" | grep -v '^E:' | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
  echo "${unmet:-$(grep -m1 '^E:' "$work/apt.log")}"
}
in_debian env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  "/tmp/${deb##*/}" >>"$work/apt.log" 2>&1 ||
  fail "apt did not install the package on Debian 13: $(refusal)"
find "$archives" -maxdepth 1 -name '*.deb' -exec cp -n -t "$cache/$suite-archives" {} +
echo "apt installed the package on Debian 13, with $(in_debian dpkg-query -W -f='wine ${Version}' wine)"

in_debian bash /opt/talvorne-tests/tests/package/launcher_test.sh /usr/bin/talvorne \
  /opt/talvorne-tests/stand-in /opt/talvorne-tests/launched_program_test.exe /tmp/launcher \
  >"$work/launcher.log" 2>&1 || {
  cat "$work/launcher.log"
  fail "on Debian 13: $(grep -m1 '^FAILED: ' "$work/launcher.log" | sed 's/^FAILED: //')"
}
tail -n 1 "$work/launcher.log"
