// The program from start-up to exit.
#pragma once

#include <windows.h>

namespace talvorne {

// Loads the control libraries the windows are made of.
void InitialiseApplication();

// Runs the start-up sequence, the message loop until the main window has closed, and the end;
// returns the exit code: 0 after a normal close, 1 when start-up failed.
int RunTalvorne(HINSTANCE instance, int showCommand);

}  // namespace talvorne
