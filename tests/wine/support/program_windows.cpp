#include "tests/wine/support/program_windows.h"

#include "shell/application.h"
#include "win32/message_loop.h"

namespace talvorne::testing {

namespace {

VisualStyle ProgramStyle() {
  InitialiseApplication();
  return std::move(*VisualStyle::Load(GetModuleHandleW(nullptr), "Iceberg Classico"));
}

}  // namespace

ProgramWindows::ProgramWindows(FormatSettings settings)
    : settings_(std::move(settings)),
      style_(ProgramStyle()),
      windows_(GetModuleHandleW(nullptr), style_, settings_, ddeInstance_) {
  ShowWindow(Form1->Handle(), SW_SHOWNORMAL);
  SetForegroundWindow(Form1->Handle());
  Pump();
}

ProgramWindows::~ProgramWindows() {
  // A close posts the end of the message loop; it must not reach the next test.
  MSG quit;
  while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

void Pump() {
  ProcessPendingMessages();
}

RECT RectInClient(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::wstring ClipboardText() {
  std::wstring text;
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  if (const HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* data = static_cast<const wchar_t*>(GlobalLock(block))) text = data;
    GlobalUnlock(block);
  }
  CloseClipboard();
  return text;
}

void EmptyTheClipboard() {
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  EmptyClipboard();
  CloseClipboard();
}

void PressKey(HWND focus, WPARAM key, bool withCtrl) {
  SetFocus(focus);
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = withCtrl ? 0x80 : 0;
  SetKeyboardState(keys);
  PostMessageW(focus, WM_KEYDOWN, key, 0x00000001);
  PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
  Pump();
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

}  // namespace talvorne::testing
