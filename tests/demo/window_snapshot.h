// A picture of a window as the screen shows it, frame included, for the demonstration run; or of
// a window with its open menu.
#pragma once

#include <windows.h>

#include <filesystem>

namespace talvorne::demo {

// Copies the window's rectangle from the screen into a 32-bit BMP file; false when that fails.
bool SaveWindowSnapshot(HWND window, const std::filesystem::path& bmpFile);
// The same for the rectangle that holds both windows.
bool SaveWindowsSnapshot(HWND window, HWND other, const std::filesystem::path& bmpFile);

}  // namespace talvorne::demo
