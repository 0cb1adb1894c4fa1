// A picture drawn off the screen, into a 32-bit bitmap of its own: its pixels hold blue, green,
// red and a fourth byte, rows from the top down.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "win32/owned_handles.h"

namespace talvorne {

class OffscreenPicture {
 public:
  // At least 1 by 1 pixels; throws "Ressources système insuffisantes" when the system refuses.
  explicit OffscreenPicture(SIZE size);

  HDC Dc() const { return dc_.get(); }
  SIZE Size() const { return size_; }

  // The pixels as drawn so far, the fourth byte of each 0xFF: opaque, to programs that read it
  // as transparency.
  std::vector<std::uint32_t> OpaquePixels() const;
  // The picture as CF_DIB holds it: a BITMAPINFOHEADER, then the rows from the bottom up.
  std::vector<std::byte> DibBytes() const;

 private:
  SIZE size_;
  MemoryDc dc_;
  OwnedBitmap bitmap_;
  const std::uint32_t* pixels_ = nullptr;
  std::optional<GdiSelection> selection_;  // the bitmap in the DC, until both go
};

}  // namespace talvorne
