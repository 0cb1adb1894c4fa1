// The standard Save dialog, asking where a file goes and which of the types offered it takes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace talvorne {

struct SaveFileType {
  std::string description;  // as the list shows it: "CSV (*.csv)"
  std::wstring extension;   // lower case, without its dot: "csv"
};

struct SaveChoice {
  std::wstring path;
  std::size_t type;  // the position of the type the name says, or else of the one picked
};

// Owned by the window, it opens in the folder (the dialog's own choice when empty) with the name
// proposed and the first type picked. A name without an extension takes that of the type picked,
// and the dialog asks before it lets an existing file of the full name be replaced. Nothing when
// the user cancels; when the dialog fails, throws std::runtime_error with the reason.
std::optional<SaveChoice> AskWhereToSave(HWND owner, const std::wstring& folder,
                                         const std::wstring& proposedName,
                                         std::span<const SaveFileType> types);

}  // namespace talvorne
