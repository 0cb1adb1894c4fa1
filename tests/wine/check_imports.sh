#!/bin/sh
# Checks that a Windows program imports only DLLs that every Windows has: the MinGW runtime is
# linked in statically, and libusb0.dll is loaded at run time, so that the program starts on a
# classroom machine without either.
# Usage: check_imports.sh OBJDUMP PROGRAM.exe
set -eu
objdump=$1
program=$2

# Compared in lower case.
allowed="kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll advapi32.dll shell32.dll
shlwapi.dll ole32.dll oleaut32.dll version.dll uxtheme.dll msvcrt.dll ws2_32.dll
imm32.dll winmm.dll"

headers=$("$objdump" -p "$program")
imports=$(printf '%s\n' "$headers" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' |
  tr -d '\r' | tr '[:upper:]' '[:lower:]')

if [ -z "$imports" ]; then
  echo "no import table found in $program" >&2
  exit 1
fi

status=0
for dll in $imports; do
  case " $(echo $allowed) " in
    *" $dll "*) echo "ok     $dll" ;;
    *) echo "NOT ALLOWED  $dll" >&2; status=1 ;;
  esac
done
exit "$status"
