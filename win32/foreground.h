// Bringing one of the program's windows in front of the user, with whatever it has up over it.
#pragma once

#include <windows.h>

namespace talvorne {

// The window that the given one owns and that is up over it (a modal window, a box), or the
// given window itself when it has none.
HWND WindowUpOver(HWND window);

// Restores the window if it is minimised and brings it to the foreground, or the window it has
// up over it, which keeps its place on top.
void BringToForeground(HWND window);

}  // namespace talvorne
