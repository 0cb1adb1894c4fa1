#include "win32/dll_loading.h"

namespace talvorne {
namespace {

std::wstring ProgramFolder() {
  std::wstring path(32768, L'\0');  // room for the longest path Windows allows
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring System32Folder() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

HMODULE LoadFromFolder(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty()) return nullptr;
  // The DLL's own dependencies are then looked for beside it and in System32, not beside the
  // program.
  return LoadLibraryExW((folder + L'\\' + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
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
