#include "win32/offscreen_picture.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "win32/win32_texts.h"

namespace talvorne {
namespace {

BITMAPINFOHEADER PixelFormat(SIZE size, bool topDown) {
  BITMAPINFOHEADER format{};
  format.biSize = sizeof format;
  format.biWidth = size.cx;
  format.biHeight = topDown ? -size.cy : size.cy;
  format.biPlanes = 1;
  format.biBitCount = 32;
  format.biCompression = BI_RGB;
  format.biSizeImage = static_cast<DWORD>(size.cx) * static_cast<DWORD>(size.cy) * 4;
  return format;
}

}  // namespace

OffscreenPicture::OffscreenPicture(SIZE size)
    : size_{std::max(size.cx, LONG{1}), std::max(size.cy, LONG{1})},
      dc_(CreateCompatibleDC(nullptr)) {
  BITMAPINFO format{};
  format.bmiHeader = PixelFormat(size_, true);
  void* pixels = nullptr;
  bitmap_.reset(CreateDIBSection(dc_.get(), &format, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!dc_ || !bitmap_) throw std::runtime_error(win32_texts::kOutOfSystemResources);
  pixels_ = static_cast<const std::uint32_t*>(pixels);
  selection_.emplace(dc_.get(), bitmap_.get());
}

std::vector<std::uint32_t> OffscreenPicture::OpaquePixels() const {
  GdiFlush();
  std::vector<std::uint32_t> pixels(pixels_, pixels_ + size_.cx * size_.cy);
  for (std::uint32_t& pixel : pixels) pixel |= 0xFF000000u;
  return pixels;
}

std::vector<std::byte> OffscreenPicture::DibBytes() const {
  const BITMAPINFOHEADER header = PixelFormat(size_, false);
  const std::vector<std::uint32_t> pixels = OpaquePixels();
  const auto rowBytes = static_cast<std::size_t>(size_.cx) * 4;
  std::vector<std::byte> dib(sizeof header + header.biSizeImage);
  std::memcpy(dib.data(), &header, sizeof header);
  for (LONG row = 0; row < size_.cy; ++row) {
    std::memcpy(
        dib.data() + sizeof header + static_cast<std::size_t>(size_.cy - 1 - row) * rowBytes,
        pixels.data() + static_cast<std::size_t>(row * size_.cx), rowBytes);
  }
  return dib;
}

}  // namespace talvorne
