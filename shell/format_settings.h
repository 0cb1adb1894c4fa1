// The number, list and date settings taken once, at start-up, from the user's regional settings.
#pragma once

#include <array>
#include <string>

namespace talvorne {

struct FormatSettings {
  std::string decimalSeparator = ".";  // one character, UTF-8
  // January to December, UTF-8; these stand where the locale names none.
  std::array<std::string, 12> abbreviatedMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  // As the settings give it, UTF-8, empty when they give none: the CSV separator is chosen from it.
  std::string listSeparator = {};
};

FormatSettings ReadUserFormatSettings();

}  // namespace talvorne
