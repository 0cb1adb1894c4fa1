#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace talvorne {

// Two lower-case hex digits per byte, high nibble first, no separator: {0x20, 0x4E} -> "204e".
std::string OctetsEnHexa(std::span<const std::uint8_t> bytes);

}  // namespace talvorne
