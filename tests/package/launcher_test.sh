#!/usr/bin/env bash
# The Linux package's launcher, run as a teacher would with a fresh HOME, over the stand-in Linux
# libusb-0.1 of the bridge's tests: its refusals, in French, in zenity's window when it has no
# terminal and on standard error only when it has one; then the first start, which makes the Wine
# prefix ~/.wine while zenity says so, and the second, which reuses it; both times
# LAUNCHED_PROGRAM_TEST drives Talvorne there through Connexion and Récupération. Needs a display.
# deb_package_test.sh runs it on the unpacked package, debian13_package_test.sh on the package
# installed in a Debian 13 root.
# Usage: launcher_test.sh LAUNCHER STAND_IN_LIBUSB_FOLDER LAUNCHED_PROGRAM_TEST WORK_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
launcher=$1
stand_in=$2
driver=$3
work=$4
program_dir=$(realpath "$(dirname "$launcher")/../lib/talvorne")

fail() {
  echo "FAILED: $*"
  exit 1
}
[[ -n ${DISPLAY:-} ]] || fail "no display: run it in scripts/wine-session.sh"
rm -rf "$work"
home=$work/home
prefix=$home/.wine
folder=$work/folder  # where the launcher is started, and the stand-in reads its scenario
mkdir -p "$home" "$folder"
export ZENITY_NOTES=$work/dialogs.txt WATCHED_PREFIX=$prefix
touch "$ZENITY_NOTES"
launcher_pid=
stop_prefix() {
  [[ -z $launcher_pid ]] || kill "$launcher_pid" 2>/dev/null || true
  local made
  for made in "$prefix" "$work/elsewhere"; do
    [[ ! -d $made ]] || WINEPREFIX=$made timeout 30 wineserver -k 2>/dev/null || true
  done
}
trap stop_prefix EXIT

# Runs ENV... COMMAND... as from the menu, with nothing of this session's Wine settings and no
# terminal, drives Talvorne once it is up, closes it, and returns the launcher's exit code.
as_from_the_menu() {
  env -u WINEPREFIX -u WINEARCH -u WINEDLLOVERRIDES -u XDG_DATA_HOME -u XDG_CONFIG_HOME \
    -u XDG_CACHE_HOME HOME="$home" PATH="$here/zenity-watcher:$PATH" \
    LD_LIBRARY_PATH="$stand_in" "$@"
}
start_talvorne() {
  (cd "$folder" && as_from_the_menu "$@" >"$work/launcher.log" 2>&1 </dev/null) &
  launcher_pid=$!
  # The prefix's libusb0.dll is the launcher's last step before the program.
  for _ in $(seq 600); do
    [[ -L $prefix/drive_c/windows/system32/libusb0.dll ]] && break
    kill -0 "$launcher_pid" 2>/dev/null || break
    sleep 0.2
  done
  (cd "$folder" && HOME=$home WINEPREFIX=$prefix "$root/scripts/wine-run.sh" "$driver") ||
    { stop_prefix; cat "$work/launcher.log"; fail "Talvorne was not driven to its table"; }
  for _ in $(seq 100); do
    kill -0 "$launcher_pid" 2>/dev/null || break
    sleep 0.2
  done
  ! kill -0 "$launcher_pid" 2>/dev/null || { echo "FAILED: Talvorne did not end"; stop_prefix; }
  local status=0
  wait "$launcher_pid" || status=$?
  launcher_pid=
  cat "$work/launcher.log"
  return "$status"
}
dialogs() { wc -l <"$ZENITY_NOTES"; }

# Refused in French, before Wine starts: EXPECTED_TEXT COMMAND...
refused() {
  local expected=$1 status=0
  shift
  as_from_the_menu "$@" 2>"$work/refusal.txt" </dev/null || status=$?
  ((status != 0)) && grep -qF "$expected" "$work/refusal.txt" ||
    fail "talvorne $* (code $status): $(cat "$work/refusal.txt")"
}
refused "option inconnue : --inconnue" "$launcher" --inconnue
refused "Usage : talvorne [--prefix DOSSIER]" "$launcher" --prefix
mkdir -p "$work/prefix32/drive_c/windows/system32"  # made for 32-bit Windows: no syswow64
# Without a UTF-8 locale too.
refused "est en 32 bits" env -u LANG -u LC_ALL "$launcher" --prefix "$work/prefix32"
# Where Wine is missing.
mkdir -p "$work/no-wine"
for tool in dirname readlink sed locale; do ln -s "$(command -v "$tool")" "$work/no-wine/"; done
ln -s "$here/zenity-watcher/zenity" "$work/no-wine/"
refused "Wine est introuvable" env PATH="$work/no-wine" "$launcher"
for refusal in "est en 32 bits" "Wine est introuvable"; do
  grep -qE -- "^--error .*$refusal.* \| status 5 \|" "$ZENITY_NOTES" ||
    fail "the refusal was not shown in a window: $(cat "$ZENITY_NOTES")"
done
(($(dialogs) == 2)) || fail "not one window for each refusal: $(cat "$ZENITY_NOTES")"
# In a terminal, the refusal is only written there.
script -qec "$(printf '%q ' env HOME="$home" PATH="$here/zenity-watcher:$PATH" "$launcher" \
  --prefix "$work/prefix32")" /dev/null >"$work/terminal.txt" 2>&1 || true
grep -qF "est en 32 bits" "$work/terminal.txt" && (($(dialogs) == 2)) ||
  fail "in a terminal: $(cat "$work/terminal.txt"), dialogs: $(cat "$ZENITY_NOTES")"

start_talvorne "$launcher" || fail "the first start ended with code $?"
grep -qE -- "^--progress .*Premier démarrage.* \| status 0 \| prefix made$" "$ZENITY_NOTES" &&
  (($(dialogs) == 3)) || fail "the prefix was not made under zenity's notice: $(cat "$ZENITY_NOTES")"
[[ $(readlink "$prefix/drive_c/windows/system32/libusb0.dll") == "$program_dir/libusb0.dll.so" ]] ||
  fail "the prefix's libusb0.dll is not the package's bridge"
touch "$prefix/drive_c/kept.txt"  # as Zuruzevu's files would be
# The option names the prefix, before WINEPREFIX.
start_talvorne WINEPREFIX="$work/elsewhere" "$launcher" --prefix "$prefix" ||
  fail "the second start ended with code $?"
[[ -f $prefix/drive_c/kept.txt && ! -e $work/elsewhere ]] || fail "the prefix was not reused"
(($(dialogs) == 3)) || fail "the second start showed a dialog: $(cat "$ZENITY_NOTES")"
# zenity's toolkit may make the desktop's cache folder, and leave it empty.
outside=$(cd "$home" && find . -mindepth 1 \( -path ./.wine -o -path ./.cache -empty \) -prune \
  -o -print)
[[ -z $outside ]] || fail "written outside the prefix: $outside"
echo "The launcher made the prefix under its notice, then reused it; Talvorne brought the table both times"
