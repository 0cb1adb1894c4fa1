// The controls of Talvorne's main window, reached from another process through the ids that its
// layout gives them.
#pragma once

#include <windows.h>

namespace talvorne::testing {

// The control of that name (Button3, Memo1, Label7...) in the main window, found through the
// layout compiled into the calling program as into Talvorne.exe.
HWND MainWindowControl(HWND window, const char* name);

}  // namespace talvorne::testing
