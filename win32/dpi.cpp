#include "win32/dpi.h"

#include "win32/dll_loading.h"
#include "win32/owned_handles.h"

namespace talvorne {
namespace {

template <typename Function>
Function User32Function(const char* name) {
  return ExportedFunction<Function>(GetModuleHandleW(L"user32.dll"), name);
}

}  // namespace

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  return getDpiForWindow != nullptr ? getDpiForWindow(window) : SystemDpi();
}

UINT SystemDpi() {
  const WindowDc screen(nullptr);
  return static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSY));
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool hasMenu, UINT dpi) {
  using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  const auto adjustForDpi =
      User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  if (adjustForDpi != nullptr) {
    adjustForDpi(&rect, style, hasMenu, 0, dpi);
  } else {
    AdjustWindowRectEx(&rect, style, hasMenu, 0);
  }
}

HFONT CreateWindowFont(UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -ScaleForDpi(11, dpi);  // negative: character height, leading excluded
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpyW(font.lfFaceName, L"Microsoft Sans Serif");
  return CreateFontIndirectW(&font);
}

}  // namespace talvorne
