// Bringing one of the program's windows in front of the user, with whatever it has up over it.
#pragma once

#include <windows.h>

namespace talvorne {

// The window that the given one owns and that is up over it (a modal window, a box), or the
// given window itself when it has none.
HWND WindowUpOver(HWND window);

// Restores the window if it is minimised and brings it to the foreground, or the window it has
// up over it, which keeps its place on top. Windows lets a program take the foreground only when
// the user is working with it or with a program that allows it: otherwise the window's taskbar
// button flashes until the user activates it.
void BringToForeground(HWND window);

}  // namespace talvorne
