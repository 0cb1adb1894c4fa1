// The system's own words for an error code, as the program's messages quote them.
#pragma once

#include <windows.h>

#include <string>

namespace talvorne {

// Without its final line break; "erreur <code>" when the system has no words for it.
std::string SystemErrorText(DWORD code);

}  // namespace talvorne
