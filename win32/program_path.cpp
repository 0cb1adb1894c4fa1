#include "win32/program_path.h"

#include <windows.h>

#include <stdexcept>

#include "win32/win32_texts.h"

namespace talvorne {

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) throw std::runtime_error(win32_texts::kProgramPathUnknown);
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ProgramFolder() {
  return FolderOf(ProgramPath());
}

std::wstring FolderOf(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

}  // namespace talvorne
