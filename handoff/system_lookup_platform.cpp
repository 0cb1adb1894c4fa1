#include "handoff/system_lookup_platform.h"

#include <windows.h>

#include <string>

#include "win32/owned_handles.h"
#include "win32/program_path.h"
#include "win32/shell_folder.h"

namespace talvorne {

std::optional<RegistryValue> SystemLookupPlatform::ReadSubkeyValue(std::wstring_view key,
                                                                   std::wstring_view subkey,
                                                                   std::wstring_view name) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, std::wstring(key).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &opened,
                      nullptr) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const OwnedKey parent(opened);
  if (RegOpenKeyExW(parent.get(), std::wstring(subkey).c_str(), 0, KEY_ALL_ACCESS, &opened) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  const OwnedKey child(opened);
  const std::wstring valueName(name);
  RegistryValue value;
  DWORD type = 0;
  DWORD size = 0;
  LSTATUS status = RegQueryValueExW(child.get(), valueName.c_str(), nullptr, &type, nullptr, &size);
  // The value may grow between the two questions: ask again with the size it then has.
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    value.data.resize(size);
    status = RegQueryValueExW(child.get(), valueName.c_str(), nullptr, &type,
                              value.data.empty() ? nullptr : value.data.data(), &size);
    if (status == ERROR_SUCCESS) {
      value.data.resize(size);
      value.type = type;
      return value;
    }
  }
  return std::nullopt;
}

std::wstring SystemLookupPlatform::ExecutableFolder() {
  return ProgramFolder();
}

std::wstring SystemLookupPlatform::SpecialFolderPath(int csidl) {
  return talvorne::SpecialFolderPath(csidl);
}

bool SystemLookupPlatform::FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace talvorne
