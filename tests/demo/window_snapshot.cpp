#include "tests/demo/window_snapshot.h"

#include <fstream>
#include <stdexcept>
#include <vector>

#include "win32/offscreen_picture.h"
#include "win32/owned_handles.h"

namespace talvorne::demo {
namespace {

// A BMP file is CF_DIB's bytes behind a file header.
bool WriteBmp(const std::filesystem::path& file, const std::vector<std::byte>& dib) {
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof(BITMAPINFOHEADER);
  header.bfSize = static_cast<DWORD>(sizeof header + dib.size());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(dib.data()), static_cast<std::streamsize>(dib.size()));
  return static_cast<bool>(out.flush());
}

bool SaveScreenArea(const RECT& frame, const std::filesystem::path& bmpFile) {
  const LONG width = frame.right - frame.left;
  const LONG height = frame.bottom - frame.top;
  if (width <= 0 || height <= 0) return false;
  try {
    const WindowDc screen(nullptr);
    const OffscreenPicture picture({width, height});
    return screen.get() != nullptr &&
           BitBlt(picture.Dc(), 0, 0, width, height, screen.get(), frame.left, frame.top,
                  SRCCOPY | CAPTUREBLT) &&
           WriteBmp(bmpFile, picture.DibBytes());
  } catch (const std::runtime_error&) {
    return false;  // no bitmap for it
  }
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
