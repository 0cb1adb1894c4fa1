#include "handoff/clipboard.h"

#include "win32/clipboard.h"

namespace talvorne {

void PutTextOnClipboard(HWND owner, std::wstring_view text) {
  NewClipboardContents clipboard(owner);
  clipboard.Put(CF_UNICODETEXT,
                MovableCopy(std::as_bytes(std::span(text.data(), text.size())), sizeof(wchar_t)));
}

}  // namespace talvorne
