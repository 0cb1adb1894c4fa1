// A top-level window of the program, with the controls, caption and size of its layout
// description.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "win32/control_layout.h"
#include "win32/visual_style.h"
#include "win32/window_object.h"

namespace talvorne {

class Window : public WindowObject {
 public:
  const ControlLayout& Layout() const { return *layout_; }

 protected:
  explicit Window(const VisualStyle& style) : style_(style) {}

  // Creates the window hidden, with the controls and size of its layout description. A window
  // with an owner stays above it and has no taskbar button of its own.
  void Create(HINSTANCE instance, const wchar_t* layoutName, HMENU menu, HWND owner = nullptr);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

  const VisualStyle& Style() const { return style_; }

 private:
  void ApplyDesignedSize();

  const VisualStyle& style_;
  std::optional<ControlLayout> layout_;
};

}  // namespace talvorne
