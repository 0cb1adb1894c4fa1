#include "win32/shell_folder.h"

#include <windows.h>

#include <shlobj.h>

namespace talvorne {

std::wstring SpecialFolderPath(int csidl) {
  PIDLIST_ABSOLUTE folder = nullptr;
  if (SHGetSpecialFolderLocation(nullptr, csidl, &folder) < 0) return {};
  wchar_t path[MAX_PATH + 1] = {};
  const bool found = SHGetPathFromIDListW(folder, path) != FALSE;
  CoTaskMemFree(folder);
  return found ? path : L"";
}

}  // namespace talvorne
