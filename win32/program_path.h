// Where the running program's file is, and the folder of any file.
#pragma once

#include <string>

namespace talvorne {

// The full path of the program's executable, however long; throws when the system cannot tell.
std::wstring ProgramPath();
// Its folder, ending in a backslash.
std::wstring ProgramFolder();
// The folder of a file's full path, ending in its backslash ("C:\" for "C:\x.txt").
std::wstring FolderOf(const std::wstring& path);

}  // namespace talvorne
