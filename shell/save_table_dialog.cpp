#include "shell/save_table_dialog.h"

#include <commdlg.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "shell/shell_texts.h"
#include "win32/placeholders.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

// Pairs of a description and a pattern, each ending with a NUL, the list with one more; in the
// order of TableFileType.
std::wstring FileTypes() {
  using namespace std::string_literals;
  return Widen(texts::kTextFileType) + L'\0' + L"*.txt"s + L'\0' + Widen(texts::kCsvFileType) +
         L'\0' + L"*.csv"s + L'\0';
}

std::string HexCode(DWORD code) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%lX", static_cast<unsigned long>(code));
  return hex;
}

}  // namespace

std::optional<SaveChoice> AskWhereToSave(HWND owner, const std::wstring& folder,
                                         const std::wstring& proposedName) {
  const std::wstring types = FileTypes();
  std::vector<wchar_t> path(32768, L'\0');
  proposedName.copy(path.data(), path.size() - 1);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = types.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  // A name typed without an extension takes the chosen type's.
  dialog.lpstrDefExt = L"txt";
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_NOREADONLYRETURN | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) {
    const DWORD error = CommDlgExtendedError();
    if (error == 0) return std::nullopt;  // cancelled
    throw std::runtime_error(FillPlaceholders(texts::kSaveDialogFailed, {HexCode(error)}));
  }
  return SaveChoice{path.data(),
                    dialog.nFilterIndex == 2 ? TableFileType::kCsv : TableFileType::kText};
}

}  // namespace talvorne
