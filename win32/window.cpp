#include "win32/window.h"

#include "resources/resource_ids.h"
#include "win32/dpi.h"
#include "win32/guarded_call.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

constexpr wchar_t kWindowClass[] = L"TalvorneWindow";
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW;

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  if (GetClassInfoExW(instance, kWindowClass, &windowClass)) return;
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TALVORNE));
  windowClass.lpszClassName = kWindowClass;
  if (RegisterClassExW(&windowClass) == 0) {
    throw std::runtime_error("Impossible d'enregistrer la classe de fenêtre");
  }
}

}  // namespace

Window::~Window() {
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void Window::Create(HINSTANCE instance, const wchar_t* layoutName, HMENU menu, HWND owner) {
  WindowDescription description = LoadLayout(instance, layoutName);
  RegisterWindowClass(instance, WindowProcedure);
  const HWND window = CreateWindowExW(0, kWindowClass, Widen(description.caption).c_str(),
                                      kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      CW_USEDEFAULT, owner, menu, instance, this);
  if (window == nullptr) {
    throw std::runtime_error("Impossible de créer la fenêtre " + description.caption);
  }
  layout_.emplace(window, std::move(description));
  ApplyDesignedSize();
}

void Window::ApplyDesignedSize() {
  const WindowDescription& description = layout_->Description();
  const UINT dpi = layout_->Dpi();
  RECT frame{0, 0, ScaleForDpi(description.width, dpi), ScaleForDpi(description.height, dpi)};
  if (description.sizeIsClientArea) {
    AdjustWindowRectForDpi(frame, kFrameStyle, GetMenu(window_) != nullptr, dpi);
  }
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, style_.FaceBrush());
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, style_.Text());
      SetBkColor(dc, style_.Face());
      return reinterpret_cast<LRESULT>(style_.FaceBrush());
    }
    case WM_CTLCOLOREDIT: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, style_.Text());
      SetBkColor(dc, style_.Window());
      return reinterpret_cast<LRESULT>(style_.WindowBrush());
    }
    case WM_DPICHANGED: {
      if (layout_) layout_->ApplyDpi(HIWORD(wParam));
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

LRESULT CALLBACK Window::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  RunGuarded([&] { result = self->HandleMessage(message, wParam, lParam); });
  return result;
}

}  // namespace talvorne
