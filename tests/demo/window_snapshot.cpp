#include "tests/demo/window_snapshot.h"

#include <algorithm>
#include <cstdint>
#include <fstream>

#include "win32/owned_handles.h"

namespace talvorne::demo {
namespace {

// 32 bits per pixel, blue green red and a fourth byte, rows from the top down.
BITMAPINFOHEADER PixelFormat(LONG width, LONG height) {
  BITMAPINFOHEADER format{};
  format.biSize = sizeof format;
  format.biWidth = width;
  format.biHeight = -height;
  format.biPlanes = 1;
  format.biBitCount = 32;
  format.biCompression = BI_RGB;
  return format;
}

bool WriteBmp(const std::filesystem::path& file, LONG width, LONG height, const void* pixels) {
  const BITMAPINFOHEADER info = PixelFormat(width, height);
  const auto pixelBytes = static_cast<DWORD>(width * height * 4);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + pixelBytes;

  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(static_cast<const char*>(pixels), pixelBytes);
  return static_cast<bool>(out.flush());
}

bool SaveScreenArea(const RECT& frame, const std::filesystem::path& bmpFile) {
  const LONG width = frame.right - frame.left;
  const LONG height = frame.bottom - frame.top;
  if (width <= 0 || height <= 0) return false;

  const WindowDc screen(nullptr);
  const MemoryDc memory(CreateCompatibleDC(screen.get()));
  if (!screen || !memory) return false;

  BITMAPINFO format{};
  format.bmiHeader = PixelFormat(width, height);
  void* pixels = nullptr;
  const GdiObject<HBITMAP> bitmap(
      CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!bitmap) return false;

  bool copied = false;
  {
    const GdiSelection drawnInto(memory.get(), bitmap.get());
    copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), frame.left, frame.top,
                    SRCCOPY | CAPTUREBLT) != FALSE;
  }
  GdiFlush();
  // The screen leaves the fourth byte of each pixel at 0, which picture tools take for
  // transparent: the window is opaque.
  auto* const pixel = static_cast<std::uint32_t*>(pixels);
  std::for_each(pixel, pixel + width * height, [](std::uint32_t& p) { p |= 0xFF000000u; });
  return copied && WriteBmp(bmpFile, width, height, pixels);
}

}  // namespace

bool SaveWindowSnapshot(HWND window, const std::filesystem::path& bmpFile) {
  RECT frame{};
  return GetWindowRect(window, &frame) && SaveScreenArea(frame, bmpFile);
}

bool SaveWindowsSnapshot(HWND window, HWND other, const std::filesystem::path& bmpFile) {
  RECT frame{}, otherFrame{}, both{};
  return GetWindowRect(window, &frame) && GetWindowRect(other, &otherFrame) &&
         UnionRect(&both, &frame, &otherFrame) && SaveScreenArea(both, bmpFile);
}

}  // namespace talvorne::demo
