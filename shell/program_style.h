// Start-up's style step: the program's look is the style "Iceberg Classico" among its resources.
#pragma once

#include <windows.h>

#include "win32/visual_style.h"

namespace talvorne {

// The program's style, or, when it cannot be found, the error box that says so and the system's
// look.
VisualStyle ApplyVisualStyle(HMODULE module);

}  // namespace talvorne
