// The user's and the system's special folders (Documents, Program Files...), where the shell says
// they are.
#pragma once

#include <string>

namespace talvorne {

// The folder of that CSIDL_ number; empty when the system has none.
std::wstring SpecialFolderPath(int csidl);

}  // namespace talvorne
