#include "decoding/channel_character.h"

namespace talvorne {

std::string ChannelCharacterText(std::uint8_t byte) {
  if (byte >= 0x20 && byte <= 0x7E) return std::string(1, static_cast<char>(byte));
  if (byte >= 0xA0) {
    // U+00A0 to U+00FF take two bytes in UTF-8.
    return {static_cast<char>(0xC0 | (byte >> 6)), static_cast<char>(0x80 | (byte & 0x3F))};
  }
  return "?";
}

}  // namespace talvorne
