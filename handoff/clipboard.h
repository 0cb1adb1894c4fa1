// Puts the data table on the clipboard as Unicode text, the only format placed.
#pragma once

#include <windows.h>

#include <string_view>

namespace talvorne {

// Replaces the clipboard's contents with the text and its terminating NUL; throws as
// NewClipboardContents does when the clipboard cannot be opened or refuses the text.
void PutTextOnClipboard(HWND owner, std::wstring_view text);

}  // namespace talvorne
