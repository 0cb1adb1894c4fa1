// A file written whole or not at all, so that a failure midway never leaves half a file, nor
// costs the file that was there before.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace talvorne {

struct WholeFileOutcome {
  DWORD error = ERROR_SUCCESS;  // the system's error code
  // The file of that name was there, and another program still kept it from being replaced (open
  // without sharing, locked, or denied) after the last try.
  bool heldElsewhere = false;
};

// Writes the bytes to a new file of the program's own naming in the same folder, flushed to the
// disk, which then takes the file's name in one step: it replaces a file of that name, keeping
// its attributes and permissions. A replacement that another program holds up is tried 10 more
// times, 50 ms apart. The path may be of any length. After a failure the folder is as it was.
[[nodiscard]] WholeFileOutcome WriteWholeFile(const std::wstring& path, std::string_view bytes);

}  // namespace talvorne
