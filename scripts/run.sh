#!/usr/bin/env bash
# Runs Talvorne.exe under Wine against a simulated oscilloscope (a fake libusb0.dll holding a
# two-channel waveform: a sine and a square wave, 5000 samples each) and a stand-in Zuruzevu
# beside it, which Talvorne finds and starts itself.
# - With a reachable $DISPLAY, Talvorne opens there: click "Connexion", "Récupération", then
#   "Régressi": the stand-in Zuruzevu opens and shows the table it received. Affichage > Courbe
#   (Ctrl+G) draws the curve; Debug > On shows the exchange and the data table. Close the windows
#   to end.
# - Without one, the whole job is scripted under Xvfb: the table Zuruzevu received is printed and
#   saved, with whether it matches the window's, and a PNG picture of the main window with its
#   debug panel is saved, with pictures of the window before and after the acquisition, of the
#   Courbe window with the curve received and of the about box; the paths are printed.
# Everything it makes goes to build/run/. Exits non-zero when the run fails.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=build/run
driver=build/windows/tests/demo/demo_driver.exe

bash scripts/install-packages.sh

echo "=== Building Talvorne.exe and the simulated oscilloscope"
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j"$(nproc)" --target demo_driver
mkdir -p "$out"

interactive() {
  echo "=== Talvorne on $DISPLAY: click Connexion, Récupération, then Régressi; close its window to end"
  # The driver only prepares the folder; the user drives Talvorne.
  TALVORNE_USE_DISPLAY=1 scripts/wine-session.sh bash -c \
    'scripts/wine-run.sh "$1" --prepare "$2" && scripts/wine-run.sh "$2/program/Talvorne.exe"' \
    run "$driver" "$out"
}

show_table() {
  local table=$out/zuruzevu_table.txt
  [[ -s $table ]] || return 0
  echo "=== Table received by Zuruzevu ($(wc -l <"$table") lines, tab-separated)"
  head -n 5 "$table" | tr -d "\r"
  echo "..."
  tail -n 2 "$table" | tr -d "\r"
  echo "Whole table: $root/$table"
}

scripted() {
  echo "=== No display: scripted acquisition under Xvfb"
  rm -f "$out"/*.png
  local status=0 bmp
  scripts/wine-session.sh scripts/wine-run.sh "$driver" "$out" || status=$?
  show_table
  for bmp in "$out"/*.bmp; do
    [[ -f $bmp ]] || continue
    convert "$bmp" -alpha off "${bmp%.bmp}.png"
    rm -f "$bmp"
  done
  if [[ -f $out/talvorne.png ]]; then
    echo "Screenshot of the main window: $root/$out/talvorne.png"
  fi
  if [[ -f $out/courbe.png ]]; then
    echo "Screenshot of the Courbe window: $root/$out/courbe.png"
  fi
  return "$status"
}

if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
  interactive
else
  scripted
fi
