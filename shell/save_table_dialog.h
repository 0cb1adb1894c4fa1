// The standard Save dialog, asking where the data table goes and in which type of file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "decoding/table_file.h"

namespace talvorne {

struct SaveChoice {
  std::wstring path;
  TableFileType type;  // what the name says, or else the type chosen in the list
};

// Owned by the window, it opens in the folder (the dialog's own choice when empty) with the name
// proposed and the text type chosen. A name without an extension takes that of the type chosen,
// and the dialog asks before it lets an existing file of the full name be replaced. Nothing when
// the user cancels; when the dialog fails, throws std::runtime_error with the reason.
std::optional<SaveChoice> AskWhereToSave(HWND owner, const std::wstring& folder,
                                         const std::wstring& proposedName);

}  // namespace talvorne
