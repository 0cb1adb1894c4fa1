// A file written whole or not at all, so that a failure midway never leaves half a file, nor
// costs the file that was there before.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace talvorne {

// Writes the bytes to a new file in the same folder, flushed to the disk, which then takes the
// file's name in one step, replacing a file of that name. Returns the system's error code, or
// ERROR_SUCCESS; after a failure the folder is as it was.
[[nodiscard]] DWORD WriteWholeFile(const std::wstring& path, std::string_view bytes);

}  // namespace talvorne
