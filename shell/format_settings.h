// The number and date settings taken once, at start-up, from the user's regional settings.
#pragma once

#include <string>

namespace talvorne {

struct FormatSettings {
  std::string decimalSeparator = ".";  // one character, UTF-8
};

FormatSettings ReadUserFormatSettings();

}  // namespace talvorne
