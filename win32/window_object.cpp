#include "win32/window_object.h"

#include <stdexcept>

#include "win32/guarded_call.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

void RegisterOnce(HINSTANCE instance, const WNDCLASSEXW& wanted) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, wanted.lpszClassName, &existing)) return;
  if (RegisterClassExW(&wanted) == 0) {
    throw std::runtime_error("Impossible d'enregistrer la classe de fenêtre");
  }
}

}  // namespace

WindowObject::~WindowObject() {
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void WindowObject::CreateOfClass(HINSTANCE instance, const WindowClass& windowClass,
                                 const std::wstring& caption, DWORD style, HWND parent,
                                 HMENU menu) {
  WNDCLASSEXW registered{};
  registered.cbSize = sizeof registered;
  registered.style = windowClass.style;
  registered.lpfnWndProc = WindowProcedure;
  registered.hInstance = instance;
  registered.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  registered.hIcon = windowClass.icon != nullptr ? LoadIconW(instance, windowClass.icon) : nullptr;
  registered.lpszClassName = windowClass.name;
  RegisterOnce(instance, registered);
  // CW_USEDEFAULT places a child at 0, 0 with no size: its parent lays it out.
  if (CreateWindowExW(0, windowClass.name, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, parent, menu, instance, this) == nullptr) {
    throw std::runtime_error("Impossible de créer la fenêtre " + Narrow(caption));
  }
}

LRESULT WindowObject::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK WindowObject::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<WindowObject*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<WindowObject*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  RunGuarded([&] { result = self->HandleMessage(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
  }
  return result;
}

}  // namespace talvorne
