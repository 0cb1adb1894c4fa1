// Layout values are pixels at 96 DPI, scaled to the monitor the window is on.
#pragma once

#include <windows.h>

namespace talvorne {

inline constexpr UINT kDesignDpi = 96;

inline int ScaleForDpi(int designPixels, UINT dpi) {
  return MulDiv(designPixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

// "MS Sans Serif" with a character height of 11 pixels at 96 DPI.
HFONT CreateWindowFont(UINT dpi);

}  // namespace talvorne
