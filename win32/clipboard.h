// The clipboard's contents replaced by one of the program's windows, in one or more formats.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <span>

#include "win32/owned_handles.h"

namespace talvorne {

// A movable memory block holding the bytes and then zerosAfter zero bytes, as the clipboard takes
// it; throws "Ressources système insuffisantes" when the system has no memory for it.
OwnedGlobalMemory MovableCopy(std::span<const std::byte> bytes, std::size_t zerosAfter = 0);

// While it lives, the clipboard is open for the window and emptied of what was on it.
class NewClipboardContents {
 public:
  // Throws "Impossible d'ouvrir le Presse-papiers : <why>" when the clipboard cannot be opened:
  // another program still holds it after ten tries, 30 ms apart.
  explicit NewClipboardContents(HWND owner);
  NewClipboardContents(const NewClipboardContents&) = delete;
  NewClipboardContents& operator=(const NewClipboardContents&) = delete;
  ~NewClipboardContents();

  // Once placed, the data belong to the clipboard. Throws "Ressources système insuffisantes"
  // when the clipboard refuses them.
  void Put(UINT format, OwnedGlobalMemory block);
  void Put(OwnedEnhMetafile metafile);
};

}  // namespace talvorne
