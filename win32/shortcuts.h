// A window's keyboard shortcuts (Ctrl+S...), which every message loop of the program applies
// before a key reaches the control with the focus.
#pragma once

#include <windows.h>

namespace talvorne {

// The keys of the table become WM_COMMAND messages of the window, as its menu items' do.
void AttachShortcuts(HWND window, HACCEL shortcuts);

// Takes them off again; the window's WM_DESTROY does it, since a window must lose the properties
// set on it before it is destroyed.
void DetachShortcuts(HWND window);

// Applies the shortcuts of the message's top-level window, if it has any; true when the key was
// one of them. A text box keeps the keys it edits with: Ctrl+C there copies its own selection.
bool TranslateShortcut(HWND topLevel, MSG& message);

}  // namespace talvorne
