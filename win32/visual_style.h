// The program's look: the colours of a named style carried among the resources.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "win32/owned_handles.h"

namespace talvorne {

class VisualStyle {
 public:
  // The system's own colours, the look used when no style applies.
  static VisualStyle SystemDefault();
  // The style of that name among the module's resources, if it is there and readable.
  static std::optional<VisualStyle> Load(HMODULE module, std::string_view name);

  COLORREF Face() const { return face_; }
  COLORREF Text() const { return text_; }
  COLORREF Window() const { return window_; }
  HBRUSH FaceBrush() const { return faceBrush_.get(); }
  HBRUSH WindowBrush() const { return windowBrush_.get(); }

 private:
  VisualStyle(COLORREF face, COLORREF text, COLORREF window);

  COLORREF face_, text_, window_;
  OwnedBrush faceBrush_, windowBrush_;
};

}  // namespace talvorne
