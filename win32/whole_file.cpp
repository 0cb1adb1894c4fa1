#include "win32/whole_file.h"

#include <algorithm>
#include <memory>

#include "win32/program_path.h"

namespace talvorne {
namespace {

struct HandleCloser {
  using pointer = HANDLE;
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedFile = std::unique_ptr<HANDLE, HandleCloser>;

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

DWORD FillAndRename(const wchar_t* temporary, const std::wstring& path, std::string_view bytes) {
  {
    const HANDLE opened = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return GetLastError();
    const OwnedFile file(opened);
    if (const DWORD error = WriteAndFlush(file.get(), bytes)) return error;
  }
  if (!MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return GetLastError();
  }
  return ERROR_SUCCESS;
}

}  // namespace

DWORD WriteWholeFile(const std::wstring& path, std::string_view bytes) {
  const std::wstring folder = FolderOf(path);
  wchar_t temporary[MAX_PATH];
  // Made empty and named uniquely by the system, in the same folder so that the rename stays on
  // the same volume.
  if (GetTempFileNameW(folder.c_str(), L"tlv", 0, temporary) == 0) return GetLastError();
  const DWORD error = FillAndRename(temporary, path, bytes);
  if (error != ERROR_SUCCESS) DeleteFileW(temporary);
  return error;
}

}  // namespace talvorne
