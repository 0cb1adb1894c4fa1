#include "win32/message_loop.h"

#include <vector>

#include "win32/modal_work.h"
#include "win32/shortcuts.h"

namespace talvorne {
namespace {

void Dispatch(MSG& message) {
  const HWND topLevel = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (topLevel != nullptr &&
      (TranslateShortcut(topLevel, message) || IsDialogMessageW(topLevel, &message))) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM windows) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  }
  return TRUE;
}

}  // namespace

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return static_cast<int>(message.wParam);
}

bool ProcessPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    Dispatch(message);
  }
  return true;
}

void RunModal(HWND window) {
  const ModalWork modal;
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow,
                    reinterpret_cast<LPARAM>(&disabled));
  for (HWND other : disabled) {
    if (other != window) EnableWindow(other, FALSE);
  }
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (IsWindowVisible(window)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    Dispatch(message);
  }
  for (HWND other : disabled) {
    if (other != window) EnableWindow(other, TRUE);
  }
}

void EndModal(HWND window) {
  if (const HWND owner = GetWindow(window, GW_OWNER)) EnableWindow(owner, TRUE);
  ShowWindow(window, SW_HIDE);
}

}  // namespace talvorne
