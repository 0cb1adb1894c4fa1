// Layout values are pixels at 96 DPI, scaled to the monitor the window is on. Windows before 10
// version 1607 lack the functions that tell a window's own DPI: there the system's DPI serves for
// every monitor.
#pragma once

#include <windows.h>

namespace talvorne {

inline constexpr UINT kDesignDpi = 96;

inline int ScaleForDpi(int designPixels, UINT dpi) {
  return MulDiv(designPixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

// The DPI of the monitor the window is on, or SystemDpi() where Windows cannot tell.
UINT WindowDpi(HWND window);
// The DPI the system was started with.
UINT SystemDpi();

// Grows a client rectangle to the window rectangle around it, frame and menu bar drawn at that DPI
// (at the system's DPI where Windows cannot draw them at another).
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool hasMenu, UINT dpi);

// "Microsoft Sans Serif" with a character height of 11 pixels at 96 DPI: a TrueType face that
// scales, unlike the "MS Sans Serif" bitmaps of the same metrics, which come in a few sizes only.
HFONT CreateWindowFont(UINT dpi);

}  // namespace talvorne
