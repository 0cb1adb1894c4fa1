#include "shell/dpi.h"

namespace talvorne {

HFONT CreateWindowFont(UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -ScaleForDpi(11, dpi);  // negative: character height, leading excluded
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpyW(font.lfFaceName, L"MS Sans Serif");
  return CreateFontIndirectW(&font);
}

}  // namespace talvorne
