#!/usr/bin/env bash
# Runs every test: the core natively (plain, then with AddressSanitizer and
# UndefinedBehaviorSanitizer), a short fuzzing run, the Linux bridge for Wine, then the Windows
# program and its tests under Wine (the bridge's among them).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

bash scripts/install-packages.sh

step() { printf '\n=== %s\n' "$*"; }

step "native core"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j"$jobs"
ctest --test-dir build/native --output-on-failure --timeout 300

step "native core with sanitizers"
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
cmake --build build/sanitize -j"$jobs"
ctest --test-dir build/sanitize --output-on-failure --timeout 600

step "fuzzing"
cmake -S . -B build/fuzz -DTALVORNE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j"$jobs"
ctest --test-dir build/fuzz --output-on-failure --timeout 300

step "Linux bridge for Wine, its stand-in libusb and unit tests"
cmake -S . -B build/linux -DTALVORNE_LINUX_BRIDGE=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/linux -j"$jobs"
ctest --test-dir build/linux --output-on-failure --timeout 300

step "Windows program under Wine"
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DTALVORNE_LINUX_TREE="$root/build/linux" >/dev/null
cmake --build build/windows -j"$jobs"
scripts/wine-session.sh ctest --test-dir build/windows --output-on-failure --timeout 600
