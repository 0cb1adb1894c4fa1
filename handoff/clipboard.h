// Puts the data table on the clipboard as Unicode text, the only format placed.
#pragma once

#include <windows.h>

#include <string_view>

namespace talvorne {

// Replaces the clipboard's contents with the text and its terminating NUL. Throws
// "Impossible d'ouvrir le Presse-papiers : <why>" when the clipboard cannot be opened (another
// program still holds it after ten tries, 30 ms apart), "Ressources système insuffisantes" when it
// refuses the text.
void PutTextOnClipboard(HWND owner, std::wstring_view text);

}  // namespace talvorne
