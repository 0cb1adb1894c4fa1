// A window of one of the program's own classes, reached through its object: the window procedure
// finds the object through GWLP_USERDATA (set at WM_NCCREATE) and forwards every message to
// HandleMessage under a guard, so an error escaping a handler never crosses the system's frames.
#pragma once

#include <windows.h>

#include <string>

namespace talvorne {

class WindowObject {
 public:
  WindowObject(const WindowObject&) = delete;
  WindowObject& operator=(const WindowObject&) = delete;
  // Destroys the window, unless the system already has (a child goes with its parent, an owned
  // window with its owner); the object hears nothing of it any more.
  virtual ~WindowObject();

  HWND Handle() const { return window_; }

 protected:
  WindowObject() = default;

  // One of the program's classes, registered with this base's window procedure on first use.
  struct WindowClass {
    const wchar_t* name;
    UINT style = 0;
    const wchar_t* icon = nullptr;  // an icon resource of the module, if any
  };

  // Creates the window, `this` reaching it at WM_NCCREATE; throws when the system refuses.
  void CreateOfClass(HINSTANCE instance, const WindowClass& windowClass,
                     const std::wstring& caption, DWORD style, HWND parent, HMENU menu);

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
};

}  // namespace talvorne
