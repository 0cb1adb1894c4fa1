// Creates a window's controls from its layout description and keeps them placed and lettered for
// the window's current DPI.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "win32/layout_description.h"
#include "win32/owned_handles.h"

namespace talvorne {

// The layout description of that name among the module's resources.
WindowDescription LoadLayout(HMODULE module, const wchar_t* name);

class ControlLayout {
 public:
  ControlLayout(HWND window, WindowDescription description);

  const WindowDescription& Description() const { return description_; }
  HWND Control(std::string_view name) const;
  HFONT Font() const { return font_.get(); }
  UINT Dpi() const { return dpi_; }

  // Places every control and gives it the window's font for that DPI.
  void ApplyDpi(UINT dpi);

 private:
  WindowDescription description_;
  std::vector<HWND> controls_;
  OwnedFont font_;
  UINT dpi_ = 0;
};

}  // namespace talvorne
