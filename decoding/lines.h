// Texts made of lines: the data table taken from its box, the commands other programs send.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvorne {

// A line ends at a CR, at an LF or at a CR LF pair; a break at the very end starts no further
// line, so an empty text has no line at all.
std::vector<std::string> SplitLines(std::string_view text);

// The data table as it goes on the clipboard: every line followed by CR LF, the last one too.
std::string ClipboardText(const std::vector<std::string>& lines);

}  // namespace talvorne
