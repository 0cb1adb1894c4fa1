#include "win32/enhanced_metafile.h"

#include <stdexcept>

#include "win32/win32_texts.h"

namespace talvorne {

OwnedEnhMetafile RecordEnhMetafile(SIZE size, const std::function<void(HDC)>& draw) {
  const WindowDc screen(nullptr);
  // The frame is in hundredths of a millimetre of the screen the picture was drawn for.
  const RECT frame{0, 0,
                   MulDiv(size.cx, GetDeviceCaps(screen.get(), HORZSIZE) * 100,
                          GetDeviceCaps(screen.get(), HORZRES)),
                   MulDiv(size.cy, GetDeviceCaps(screen.get(), VERTSIZE) * 100,
                          GetDeviceCaps(screen.get(), VERTRES))};
  const HDC recorder = CreateEnhMetaFileW(screen.get(), nullptr, &frame, nullptr);
  if (recorder == nullptr) throw std::runtime_error(win32_texts::kOutOfSystemResources);
  try {
    draw(recorder);
  } catch (...) {
    DeleteEnhMetaFile(CloseEnhMetaFile(recorder));
    throw;
  }
  OwnedEnhMetafile metafile(CloseEnhMetaFile(recorder));
  if (!metafile) throw std::runtime_error(win32_texts::kOutOfSystemResources);
  return metafile;
}

}  // namespace talvorne
