#include "win32/window.h"

#include "resources/resource_ids.h"
#include "win32/dpi.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

constexpr wchar_t kWindowClass[] = L"TalvorneWindow";
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW;

}  // namespace

void Window::Create(HINSTANCE instance, const wchar_t* layoutName, HMENU menu, HWND owner) {
  WindowDescription description = LoadLayout(instance, layoutName);
  CreateOfClass(instance, {kWindowClass, 0, MAKEINTRESOURCEW(IDI_TALVORNE)},
                Widen(description.caption), kFrameStyle, owner, menu);
  layout_.emplace(Handle(), std::move(description));
  ApplyDesignedSize();
}

void Window::ApplyDesignedSize() {
  const WindowDescription& description = layout_->Description();
  const UINT dpi = layout_->Dpi();
  RECT frame{0, 0, ScaleForDpi(description.width, dpi), ScaleForDpi(description.height, dpi)};
  if (description.sizeIsClientArea) {
    AdjustWindowRectForDpi(frame, kFrameStyle, GetMenu(Handle()) != nullptr, dpi);
  }
  SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
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
      SetWindowPos(Handle(), nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    default:
      return DefWindowProcW(Handle(), message, wParam, lParam);
  }
}

}  // namespace talvorne
