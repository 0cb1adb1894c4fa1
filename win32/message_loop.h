// The program's message loops: the main one, the modal one of the about box and the pass that a
// pause makes over pending messages. Tab and the arrow keys move the focus in every window, and a
// window's keyboard shortcuts work in each of them.
#pragma once

#include <windows.h>

namespace talvorne {

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop();

// Dispatches every message already waiting. Returns false when the program has been asked to
// quit; the request is posted again so that the main loop still ends.
bool ProcessPendingMessages();

// Shows the window and runs a loop while it stays visible, with every other window of the
// program disabled meanwhile.
void RunModal(HWND window);

// Ends RunModal's loop by hiding the window. Its owner takes input again first: the system gives
// the activation of a window that hides to its owner only if the owner is enabled, and otherwise
// to another program's window.
void EndModal(HWND window);

}  // namespace talvorne
