// Where the running program's file is.
#pragma once

#include <string>

namespace talvorne {

// The full path of the program's executable, however long; throws when the system cannot tell.
std::wstring ProgramPath();
// Its folder, ending in a backslash.
std::wstring ProgramFolder();

}  // namespace talvorne
