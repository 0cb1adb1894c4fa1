// The byte that names a record's first channel, as UTF-8 text for the labels and the table.
#pragma once

#include <cstdint>
#include <string>

namespace talvorne {

// Printable ASCII as itself, 0xA0 to 0xFF as the Latin-1 character of that code, and "?" for
// the control codes 0x00-0x1F and 0x7F-0x9F: a NUL or a CR would cut or break the table lines.
std::string ChannelCharacterText(std::uint8_t byte);

}  // namespace talvorne
