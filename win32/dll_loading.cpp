#include "win32/dll_loading.h"

#include "win32/program_path.h"

namespace talvorne {
namespace {

// With its final backslash, as ProgramFolder gives the program's.
std::wstring System32Folder() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(folder, length) + L'\\' : std::wstring();
}

// folder ends in a backslash.
HMODULE LoadFromFolder(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty()) return nullptr;
  // The DLL's own dependencies are then looked for beside it and in System32, not beside the
  // program.
  return LoadLibraryExW((folder + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

void LimitDllSearchToSystem32() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const auto setDefaultDllDirectories = ExportedFunction<SetDefaultDllDirectoriesFunction>(
      GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  if (setDefaultDllDirectories != nullptr) setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadDll(const std::wstring& name, DllFolders folders) {
  if (const HMODULE module = LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    return module;
  }
  // Windows 7 without KB2533623 does not know the search flags and refuses them so.
  if (GetLastError() == ERROR_INVALID_PARAMETER) return LoadDllByFullPath(name, folders);
  if (folders == DllFolders::kSystem32) return nullptr;
  // Combined, the flags name the program's folder first: System32 has just been searched, so this
  // finds the DLL beside the program, and its own dependencies there or in System32.
  return LoadLibraryExW(name.c_str(), nullptr,
                        LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadDllByFullPath(const std::wstring& name, DllFolders folders) {
  if (name.find_first_of(L"\\/") != std::wstring::npos) {
    return LoadLibraryExW(name.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  if (const HMODULE module = LoadFromFolder(System32Folder(), name)) return module;
  return folders == DllFolders::kSystem32ThenProgram ? LoadFromFolder(ProgramFolder(), name)
                                                     : nullptr;
}

}  // namespace talvorne
