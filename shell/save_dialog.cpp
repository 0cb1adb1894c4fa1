#include "shell/save_dialog.h"

#include <commdlg.h>
#include <dlgs.h>

#include <cstdio>
#include <cwchar>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "shell/save_file_types.h"
#include "shell/shell_texts.h"
#include "win32/modal_work.h"
#include "decoding/placeholders.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

// Pairs of a description and a pattern, each ending with a NUL, the list with one more.
std::wstring FileTypeList(std::span<const SaveFileType> types) {
  std::wstring list;
  for (const SaveFileType& type : types) {
    list += Widen(type.description) + L'\0' + L"*." + type.extension + L'\0';
  }
  return list;
}

// The dialog puts its default extension on a name typed without one, and asks about the file of
// that full name, before it returns; Windows' dialog keeps the default it was given whatever type
// is picked, so each type picked sets it. A name that ends in another type's extension, as the
// proposed one may, changes to the new type's, as Windows' newer dialog changes it.
void FollowTheTypePicked(HWND dialog, FileExtensions extensions, std::size_t picked) {
  if (picked >= extensions.size()) return;
  const std::wstring extension(extensions[picked]);
  SendMessageW(dialog, CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(extension.c_str()));
  const auto length = static_cast<int>(SendMessageW(dialog, CDM_GETSPEC, 0, 0));
  if (length <= 1) return;
  std::wstring name(static_cast<std::size_t>(length), L'\0');
  SendMessageW(dialog, CDM_GETSPEC, static_cast<WPARAM>(length),
               reinterpret_cast<LPARAM>(name.data()));
  name.resize(std::wcslen(name.c_str()));
  const std::wstring renamed = NameForPickedType(name, extensions, picked);
  if (renamed != name) {
    SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(renamed.c_str()));
  }
}

// The hook's own window is a child of the dialog; the dialog tells it that the type changed. The
// extensions come with the dialog's description.
UINT_PTR CALLBACK TypeListHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto& notice = *reinterpret_cast<const OFNOTIFYW*>(lParam);
    if (notice.hdr.code == CDN_TYPECHANGE) {
      const auto& extensions =
          *reinterpret_cast<const std::vector<std::wstring_view>*>(notice.lpOFN->lCustData);
      FollowTheTypePicked(GetParent(hook), extensions, notice.lpOFN->nFilterIndex - 1);
    }
  }
  return 0;  // the dialog does the rest
}

std::string HexCode(DWORD code) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%lX", static_cast<unsigned long>(code));
  return hex;
}

}  // namespace

std::optional<SaveChoice> AskWhereToSave(HWND owner, const std::wstring& folder,
                                         const std::wstring& proposedName,
                                         std::span<const SaveFileType> types) {
  const std::wstring list = FileTypeList(types);
  std::vector<std::wstring_view> extensions;
  for (const SaveFileType& type : types) extensions.push_back(type.extension);
  std::vector<wchar_t> path(32768, L'\0');
  proposedName.copy(path.data(), path.size() - 1);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = list.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  // A name typed without an extension takes the picked type's.
  dialog.lpstrDefExt = types.empty() ? nullptr : types.front().extension.c_str();
  dialog.lpfnHook = TypeListHook;
  dialog.lCustData = reinterpret_cast<LPARAM>(&extensions);
  // With a hook, the dialog can be resized only when asked.
  dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT |
                 OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN | OFN_NOCHANGEDIR;
  const ModalWork choosing;  // the dialog dispatches messages while the user chooses
  if (!GetSaveFileNameW(&dialog)) {
    const DWORD error = CommDlgExtendedError();
    if (error == 0) return std::nullopt;  // cancelled
    throw std::runtime_error(FillPlaceholders(texts::kSaveDialogFailed, {HexCode(error)}));
  }
  const std::wstring chosen = path.data();
  const std::size_t picked = dialog.nFilterIndex > 0 ? dialog.nFilterIndex - 1 : 0;
  return SaveChoice{chosen, TypeNamedBy(chosen, extensions).value_or(picked)};
}

}  // namespace talvorne
