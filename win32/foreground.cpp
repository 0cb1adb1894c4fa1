#include "win32/foreground.h"

namespace talvorne {
namespace {

struct OwnedSearch {
  HWND owner;
  HWND found = nullptr;
};

BOOL CALLBACK FindOwnedOnScreen(HWND candidate, LPARAM search) {
  auto& owned = *reinterpret_cast<OwnedSearch*>(search);
  if (GetWindow(candidate, GW_OWNER) != owned.owner || !IsWindowVisible(candidate)) return TRUE;
  owned.found = candidate;
  return FALSE;
}

}  // namespace

HWND WindowUpOver(HWND window) {
  // Only a modal window or box keeps one of the program's windows disabled, and that one may have
  // a box of its own up over it. The system's record of the last active one is no guide: a
  // window that was minimised and restored counts as active again, disabled as it is.
  while (!IsWindowEnabled(window)) {
    OwnedSearch search{window};
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedOnScreen, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) break;
    window = search.found;
  }
  return window;
}

void BringToForeground(HWND window) {
  // Restored first: a minimised window's owned windows are hidden with it.
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  if (SetForegroundWindow(WindowUpOver(window))) return;
  FLASHWINFO flash{sizeof flash, window, FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
  FlashWindowEx(&flash);
}

}  // namespace talvorne
