#include "win32/message_boxes.h"

#include <windows.h>

#include <string>
#include <utility>

#include "win32/error_text.h"
#include "win32/foreground.h"
#include "win32/modal_work.h"
#include "win32/text_encoding.h"
#include "win32/win32_texts.h"

namespace talvorne {
namespace {

// MessageBoxW has no say over its position or its button texts: a hook on the box's own thread
// centres it on the screen and renames its button when it first becomes active.
thread_local HHOOK boxHook = nullptr;
thread_local const wchar_t* boxButtonText = nullptr;
thread_local HWND boxOwner = nullptr;

void CentreOnScreen(HWND box) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT frame;
  GetWindowRect(box, &frame);
  const RECT& area = monitor.rcWork;
  const int left = area.left + ((area.right - area.left) - (frame.right - frame.left)) / 2;
  const int top = area.top + ((area.bottom - area.top) - (frame.bottom - frame.top)) / 2;
  SetWindowPos(box, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A box owned by a window that a modal window over it keeps disabled would enable it again on
// closing: the box goes to the window on top. One owned by a window that is not on screen would
// have no taskbar button to find it by.
HWND OwnerOnScreen() {
  if (boxOwner == nullptr || !IsWindowVisible(boxOwner)) return nullptr;
  return WindowUpOver(boxOwner);
}

LRESULT CALLBACK OnBoxActivation(int code, WPARAM wParam, LPARAM lParam) {
  const HHOOK hook = boxHook;
  if (code == HCBT_ACTIVATE) {
    const HWND box = reinterpret_cast<HWND>(wParam);
    CentreOnScreen(box);
    if (boxButtonText != nullptr) SetDlgItemTextW(box, IDOK, boxButtonText);
    UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

void ShowBox(std::string_view text, std::string_view caption, UINT icon,
             const wchar_t* buttonText = nullptr) {
  boxButtonText = buttonText;
  boxHook = SetWindowsHookExW(WH_CBT, OnBoxActivation, nullptr, GetCurrentThreadId());
  const HWND owner = OwnerOnScreen();
  const ModalWork box;
  MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(),
              MB_OK | (owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL) | MB_SETFOREGROUND | icon);
  if (boxHook != nullptr) UnhookWindowsHookEx(boxHook);
  boxHook = nullptr;
  boxButtonText = nullptr;
}

}  // namespace

MessageBoxOwner::MessageBoxOwner(HWND owner) : previous_(std::exchange(boxOwner, owner)) {}

MessageBoxOwner::~MessageBoxOwner() {
  boxOwner = previous_;
}

void ShowPlainMessage(std::string_view text) {
  ShowBox(text, win32_texts::kApplicationTitle, 0);
}

void ShowErrorMessage(std::string_view text, ErrorBoxButton button) {
  static const std::wstring closeText = Widen(win32_texts::kCloseButton);
  ShowBox(text, win32_texts::kErrorCaption, MB_ICONERROR,
          button == ErrorBoxButton::Fermer ? closeText.c_str() : nullptr);
}

void ShowDefaultErrorBox(std::string_view message) {
  ShowBox(WithFinalPeriod(std::string(message)), win32_texts::kApplicationTitle, MB_ICONSTOP);
}

void ShowApplicationErrorBox(std::string_view text) {
  ShowBox(text, win32_texts::kApplicationErrorCaption, MB_ICONERROR);
}

}  // namespace talvorne
