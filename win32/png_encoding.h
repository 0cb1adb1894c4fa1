// A picture as a PNG file, encoded by the Windows Imaging Component (in Windows since Vista).
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

namespace talvorne {

// The file's bytes for pixels as OffscreenPicture holds them (blue, green, red and a byte left
// out, rows from the top down), written as 8-bit RGB. Throws std::runtime_error
// "l'encodage PNG a échoué (code <HRESULT>)" when the component fails.
std::string EncodePng(SIZE size, std::span<const std::uint32_t> pixels);

}  // namespace talvorne
