// A top-level window of the program. The window procedure finds its object through
// GWLP_USERDATA (set at WM_NCCREATE) and forwards every message to HandleMessage under a guard,
// so an error escaping a handler never crosses the system's frames.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "win32/control_layout.h"
#include "win32/visual_style.h"

namespace talvorne {

class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return window_; }
  const ControlLayout& Layout() const { return *layout_; }

 protected:
  explicit Window(const VisualStyle& style) : style_(style) {}

  // Creates the window hidden, with the controls and size of its layout description. A window
  // with an owner stays above it and has no taskbar button of its own.
  void Create(HINSTANCE instance, const wchar_t* layoutName, HMENU menu, HWND owner = nullptr);

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

  const VisualStyle& Style() const { return style_; }

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void ApplyDesignedSize();

  const VisualStyle& style_;
  HWND window_ = nullptr;
  std::optional<ControlLayout> layout_;
};

}  // namespace talvorne
