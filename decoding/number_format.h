// The general number format of every time, voltage and scale the program writes: 15 significant
// digits, fixed notation for decimal exponents from -3 to 15 (the value being 0.d1…dn × 10^E),
// "E" notation otherwise, the user's decimal separator and no thousands separator.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace talvorne {

std::string FormatNumber(double value, std::string_view decimalSeparator);

// Appends the same text to out, for the long tables.
void AppendNumber(std::string& out, double value, std::string_view decimalSeparator);

// No number text is longer: a sign, 15 digits, the separator and "E-324".
inline std::size_t MaxNumberLength(std::string_view decimalSeparator) {
  return 21 + decimalSeparator.size();
}

}  // namespace talvorne
