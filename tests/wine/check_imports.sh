#!/bin/sh
# Checks that a Windows program starts on every 64-bit Windows from 7 SP1: its header asks for no
# later Windows, and each function it imports is on the list of those checked against Windows 7
# SP1 (the list's head says how).
# No MinGW runtime DLL and no libusb0.dll is on it: the runtime is linked in statically and
# libusb0.dll loaded at run time, so that the program starts on a classroom machine without either.
# Usage: check_imports.sh OBJDUMP PROGRAM.exe LIST
set -eu
objdump=$1
program=$2
list=$3

headers=$("$objdump" -p "$program" | tr -d '\r')

# Windows 7 is version 6.1: the loader refuses a program that asks for a later one.
subsystem=$(printf '%s\n' "$headers" |
  awk '/^MajorSubsystemVersion/ { major = $2 } /^MinorSubsystemVersion/ { print major * 100 + $2 }')
if [ "${subsystem:-999}" -gt 601 ]; then
  echo "the program asks for Windows subsystem version $subsystem (Windows 7: 601)" >&2
  exit 1
fi

# "dll function" lines, the DLL's name in lower case; "<none>" names a function imported by its
# number, which differs from one Windows to the next.
imports=$(printf '%s\n' "$headers" | awk '
  /^The Import Tables/ { inside = 1; next }
  /^[^[:space:]]/ { inside = 0 }
  inside && /DLL Name:/ { dll = tolower($3); next }
  inside && dll != "" && /^\t[0-9a-f]+\t/ { print dll, $3 }')

if [ -z "$imports" ]; then
  echo "no import table found in $program" >&2
  exit 1
fi

printf '%s\n' "$imports" | awk -v list="$list" '
  BEGIN {
    while ((getline line < list) > 0) {
      if (line ~ /^#/ || line ~ /^[[:space:]]*$/) continue
      count = split(line, words)
      if (line ~ /^[^[:space:]]/) { dll = tolower(words[1]); continue }
      for (i = 1; i <= count; ++i) allowed[dll " " words[i]] = 1
    }
  }
  { if (!($0 in allowed)) { print "not checked against Windows 7 SP1: " $0 > "/dev/stderr"; bad = 1 } }
  END {
    if (bad) exit 1
    print NR " imported functions, all on the Windows 7 SP1 list"
  }'
