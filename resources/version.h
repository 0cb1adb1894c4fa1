// The program's version, kept here alone: the version resource and the installer package take it
// from this file. Windows Installer compares three fields only, so the package's version is made
// of major, minor and release × 1000 + build (1.0.0.4 gives 1.0.4): build stays below 1000.
#pragma once

#define TALVORNE_VERSION_MAJOR 1
#define TALVORNE_VERSION_MINOR 0
#define TALVORNE_VERSION_RELEASE 0
#define TALVORNE_VERSION_BUILD 4
