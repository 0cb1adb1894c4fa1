#include "win32/whole_file.h"

#include <algorithm>

#include "win32/owned_handles.h"
#include "win32/program_path.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

constexpr int kRetries = 10;
constexpr DWORD kRetryPauseMs = 50;

// The path with the prefix that lifts the MAX_PATH limit ("\\?\C:\..." or "\\?\UNC\server\..."),
// made full first, since the system takes a prefixed path as it is. A path it cannot make full is
// left for the file functions to refuse with their own reason.
std::wstring LongPath(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0) return path;
  std::wstring full(32768, L'\0');
  const DWORD length =
      GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return path;
  full.resize(length);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What another program does to a file it holds: opened without sharing, locked, or denied.
bool HeldUp(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

DWORD WriteAndFlush(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);
  }
  return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}

// Names of the program's own beside the file, for the new file and for the old one while it is
// being replaced: the system's temporary names fail in folders beyond MAX_PATH - 14 characters.
struct Beside {
  std::wstring temporary;
  std::wstring backup;
};

// Makes the new file empty under a name no file has, and opens it for writing.
DWORD CreateBeside(const std::wstring& folder, Beside& names, OwnedHandle& file) {
  const std::wstring stem = folder + L"~Talvorne-" + Widen(std::to_string(GetCurrentProcessId()));
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring name = stem + L"-" + Widen(std::to_string(attempt));
    names = {name + L".tmp", name + L".old"};
    file = OwnedHandle(CreateFileW(names.temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return ERROR_SUCCESS;
    if (const DWORD error = GetLastError(); error != ERROR_FILE_EXISTS) return error;
  }
  return ERROR_FILE_EXISTS;
}

// Replaces the old file by the new one, which takes its attributes and permissions. The old one
// steps aside under the backup name first, so that it is never lost: if the new one cannot take
// its place, it comes back.
DWORD Replace(const std::wstring& path, const Beside& names) {
  if (ReplaceFileW(path.c_str(), names.temporary.c_str(), names.backup.c_str(),
                   REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                   nullptr)) {
    DeleteFileW(names.backup.c_str());
    return ERROR_SUCCESS;
  }
  const DWORD error = GetLastError();
  if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    MoveFileExW(names.backup.c_str(), path.c_str(), 0);
  }
  // Only while the old file is back in its place is the backup a spare copy.
  if (Exists(path)) DeleteFileW(names.backup.c_str());
  return error;
}

DWORD MoveIn(const std::wstring& path, const Beside& names) {
  return MoveFileExW(names.temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)
             ? ERROR_SUCCESS
             : GetLastError();
}

}  // namespace

WholeFileOutcome WriteWholeFile(const std::wstring& path, std::string_view bytes) {
  const std::wstring target = LongPath(path);
  Beside names;
  {
    OwnedHandle file;
    if (const DWORD error = CreateBeside(FolderOf(target), names, file)) return {error};
    if (const DWORD error = WriteAndFlush(file.get(), bytes)) {
      file = OwnedHandle();
      DeleteFileW(names.temporary.c_str());
      return {error};
    }
  }
  const bool replacing = Exists(target);
  DWORD error = replacing ? Replace(target, names) : MoveIn(target, names);
  // A spreadsheet that has the file open may close it in a moment.
  for (int retry = 0; replacing && HeldUp(error) && retry < kRetries; ++retry) {
    Sleep(kRetryPauseMs);
    error = Replace(target, names);
  }
  if (error != ERROR_SUCCESS) DeleteFileW(names.temporary.c_str());
  return {error, replacing && HeldUp(error)};
}

}  // namespace talvorne
