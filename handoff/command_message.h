// How the DDE form hands the window that carries out other programs' commands a command word:
// posted, so that the work begins once the execute has been answered, from the message loop.
#pragma once

#include <windows.h>

#include "handoff/command_service.h"

namespace talvorne {

// wParam: the CommandWord.
inline constexpr UINT kCommandMessage = WM_APP;

}  // namespace talvorne
