// The controls of Talvorne's main window and about box, reached from another process through the
// ids that their layouts give them.
#pragma once

#include <windows.h>

namespace talvorne::testing {

// The control of that name (Button3, Memo1, Label7...) in the main window, found through the
// layout compiled into the calling program as into Talvorne.exe.
HWND MainWindowControl(HWND window, const char* name);

// Clicks a push button of the main window as the user would, and returns once its handler has
// returned (within a minute), message boxes included.
void ClickAndWait(HWND window, const char* button);

// The control of that name (versionlabel, Datelabel...) in the about box.
HWND AboutBoxControl(HWND window, const char* name);

}  // namespace talvorne::testing
