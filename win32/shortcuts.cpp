#include "win32/shortcuts.h"

#include <string_view>

namespace talvorne {
namespace {

// The table stays with its window, where any message loop finds it.
constexpr wchar_t kShortcutsProperty[] = L"TalvorneShortcuts";

// Select all, copy, paste, cut, redo, undo.
constexpr std::wstring_view kEditingKeys = L"ACVXYZ";

bool KeptByTextBox(const MSG& message) {
  if (message.message != WM_KEYDOWN ||
      kEditingKeys.find(static_cast<wchar_t>(message.wParam)) == std::wstring_view::npos) {
    return false;
  }
  // What a text box answers, and a button does not.
  return (SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, 0) & DLGC_HASSETSEL) != 0;
}

}  // namespace

void AttachShortcuts(HWND window, HACCEL shortcuts) {
  SetPropW(window, kShortcutsProperty, shortcuts);
}

void DetachShortcuts(HWND window) {
  RemovePropW(window, kShortcutsProperty);
}

bool TranslateShortcut(HWND topLevel, MSG& message) {
  const auto shortcuts = static_cast<HACCEL>(GetPropW(topLevel, kShortcutsProperty));
  if (shortcuts == nullptr || KeptByTextBox(message)) return false;
  return TranslateAcceleratorW(topLevel, shortcuts, &message) != FALSE;
}

}  // namespace talvorne
