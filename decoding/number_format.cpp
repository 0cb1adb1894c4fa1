#include "decoding/number_format.h"

#include <charconv>
#include <cmath>

#include "decoding/decimal_rounding.h"

namespace talvorne {
namespace {

// The first to last significant digit, trailing zeros dropped.
std::string_view SignificantDigits(std::uint64_t fifteenDigits, char (&buffer)[15]) {
  std::to_chars(buffer, buffer + 15, fifteenDigits);
  std::size_t count = 15;
  while (buffer[count - 1] == '0') --count;
  return {buffer, count};
}

void AppendFixed(std::string& out, std::string_view digits, int exponent,
                 std::string_view decimalSeparator) {
  if (exponent <= 0) {
    out += '0';
    out += decimalSeparator;
    out.append(static_cast<std::size_t>(-exponent), '0');
    out += digits;
    return;
  }
  const auto wholeDigits = static_cast<std::size_t>(exponent);
  if (digits.size() <= wholeDigits) {
    out += digits;
    out.append(wholeDigits - digits.size(), '0');
    return;
  }
  out += digits.substr(0, wholeDigits);
  out += decimalSeparator;
  out += digits.substr(wholeDigits);
}

void AppendScientific(std::string& out, std::string_view digits, int exponent,
                      std::string_view decimalSeparator) {
  out += digits[0];
  if (digits.size() > 1) {
    out += decimalSeparator;
    out += digits.substr(1);
  }
  out += 'E';
  int power = exponent - 1;
  if (power < 0) {
    out += '-';
    power = -power;
  }
  char buffer[4];
  out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, power).ptr);
}

}  // namespace

void AppendNumber(std::string& out, double value, std::string_view decimalSeparator) {
  // Neither can come from a record; they are written plainly rather than rounded.
  if (std::isnan(value)) {
    out += "NAN";
    return;
  }
  if (value == 0) {  // a negative zero too
    out += '0';
    return;
  }
  if (value < 0) out += '-';
  const double magnitude = std::fabs(value);
  if (std::isinf(magnitude)) {
    out += "INF";
    return;
  }
  const FifteenDigits rounded = RoundToFifteenDigits(magnitude);
  char buffer[15];
  const std::string_view digits = SignificantDigits(rounded.digits, buffer);
  // The value is 0.d1…dn × 10^exponent.
  const int exponent = rounded.exponent + 1;
  if (exponent >= -3 && exponent <= 15) {
    AppendFixed(out, digits, exponent, decimalSeparator);
  } else {
    AppendScientific(out, digits, exponent, decimalSeparator);
  }
}

std::string FormatNumber(double value, std::string_view decimalSeparator) {
  std::string text;
  AppendNumber(text, value, decimalSeparator);
  return text;
}

}  // namespace talvorne
