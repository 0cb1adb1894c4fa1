#include "win32/clipboard.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "win32/system_error_text.h"
#include "win32/win32_texts.h"

namespace talvorne {
namespace {

// Clipboard history, remote desktops and classroom monitoring tools hold the clipboard for a few
// milliseconds at a time: it is asked for again a few times before the copy gives up.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 30;

}  // namespace

OwnedGlobalMemory MovableCopy(std::span<const std::byte> bytes, std::size_t zerosAfter) {
  OwnedGlobalMemory block(
      GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, bytes.size() + zerosAfter));
  void* const data = block ? GlobalLock(block.get()) : nullptr;
  if (data == nullptr) throw std::runtime_error(win32_texts::kOutOfSystemResources);
  if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
  GlobalUnlock(block.get());
  return block;
}

NewClipboardContents::NewClipboardContents(HWND owner) {
  for (int attempt = 1; !OpenClipboard(owner); ++attempt) {
    if (attempt == kOpenAttempts) {
      throw std::runtime_error(win32_texts::kCannotOpenClipboard + SystemErrorText(GetLastError()));
    }
    Sleep(kOpenRetryMs);
  }
  EmptyClipboard();
}

NewClipboardContents::~NewClipboardContents() {
  CloseClipboard();
}

void NewClipboardContents::Put(UINT format, OwnedGlobalMemory block) {
  if (SetClipboardData(format, block.get()) == nullptr) {
    throw std::runtime_error(win32_texts::kOutOfSystemResources);
  }
  block.release();
}

void NewClipboardContents::Put(OwnedEnhMetafile metafile) {
  if (SetClipboardData(CF_ENHMETAFILE, metafile.get()) == nullptr) {
    throw std::runtime_error(win32_texts::kOutOfSystemResources);
  }
  metafile.release();
}

}  // namespace talvorne
