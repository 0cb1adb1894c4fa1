#!/bin/sh
# Compiles or links with wineg++ in place of the compiler that CMake names first, so that the
# bridge, alone in its native build tree, becomes a Wine library.
shift
exec wineg++ "$@"
