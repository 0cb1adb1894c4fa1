// A picture of a window as the screen shows it, frame included, for the demonstration run.
#pragma once

#include <windows.h>

#include <filesystem>

namespace talvorne::demo {

// Copies the window's rectangle from the screen into a 32-bit BMP file; false when that fails.
bool SaveWindowSnapshot(HWND window, const std::filesystem::path& bmpFile);

}  // namespace talvorne::demo
