#include "handoff/clipboard.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "decoding/placeholders.h"
#include "handoff/handoff_texts.h"
#include "win32/system_error_text.h"

namespace talvorne {
namespace {

// Clipboard history, remote desktops and classroom monitoring tools hold the clipboard for a few
// milliseconds at a time: it is asked for again a few times before the send gives up.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 30;

class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) {
    for (int attempt = 1; !OpenClipboard(owner); ++attempt) {
      if (attempt == kOpenAttempts) {
        throw std::runtime_error(FillPlaceholders(handoff_texts::kCannotOpenClipboard,
                                                  {SystemErrorText(GetLastError())}));
      }
      Sleep(kOpenRetryMs);
    }
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  ~OpenClipboardScope() { CloseClipboard(); }
};

}  // namespace

void PutTextOnClipboard(HWND owner, std::wstring_view text) {
  const OpenClipboardScope clipboard(owner);
  EmptyClipboard();
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
  void* const data = block != nullptr ? GlobalLock(block) : nullptr;
  if (data == nullptr) {
    if (block != nullptr) GlobalFree(block);
    throw std::runtime_error(handoff_texts::kOutOfSystemResources);
  }
  std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
  static_cast<wchar_t*>(data)[text.size()] = L'\0';
  GlobalUnlock(block);
  // Once placed, the block belongs to the clipboard.
  if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) {
    GlobalFree(block);
    throw std::runtime_error(handoff_texts::kOutOfSystemResources);
  }
}

}  // namespace talvorne
