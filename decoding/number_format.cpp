#include "decoding/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

#include "decoding/decimal_rounding.h"

namespace talvorne {
namespace {

// A number's text without its decimal separator, and where the separator goes: composed on the
// stack, then appended in at most three pieces.
class NumberText {
 public:
  void Add(char c) { text_[length_++] = c; }
  void Add(std::string_view part) {
    std::memcpy(text_ + length_, part.data(), part.size());
    length_ += part.size();
  }
  void AddZeros(std::size_t count) {
    std::memset(text_ + length_, '0', count);
    length_ += count;
  }
  void AddSeparator() { separatorAt_ = length_; }

  void AppendTo(std::string& out, std::string_view decimalSeparator) const {
    if (separatorAt_ == kNoSeparator) {
      out.append(text_, length_);
      return;
    }
    out.append(text_, separatorAt_);
    out += decimalSeparator;
    out.append(text_ + separatorAt_, length_ - separatorAt_);
  }

 private:
  static constexpr std::size_t kNoSeparator = 64;
  char text_[32];
  std::size_t length_ = 0;
  std::size_t separatorAt_ = kNoSeparator;
};

constexpr auto kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// The first to last significant digit, trailing zeros dropped; written two at a time, as every
// time of a table goes through here.
std::string_view SignificantDigits(std::uint64_t fifteenDigits, char (&buffer)[16]) {
  for (std::size_t at = 14; at > 0; at -= 2) {
    std::memcpy(buffer + at - 1, &kDigitPairs[2 * (fifteenDigits % 100)], 2);
    fifteenDigits /= 100;
  }
  buffer[0] = static_cast<char>('0' + fifteenDigits);
  std::size_t count = 15;
  while (buffer[count - 1] == '0') --count;
  return {buffer, count};
}

// exponent is E, the value being 0.d1…dn × 10^E, from -3 to 15.
void AddFixed(NumberText& text, std::string_view digits, int exponent) {
  if (exponent <= 0) {
    text.Add('0');
    text.AddSeparator();
    text.AddZeros(static_cast<std::size_t>(-exponent));
    text.Add(digits);
    return;
  }
  const auto wholeDigits = static_cast<std::size_t>(exponent);
  if (digits.size() <= wholeDigits) {
    text.Add(digits);
    text.AddZeros(wholeDigits - digits.size());
    return;
  }
  text.Add(digits.substr(0, wholeDigits));
  text.AddSeparator();
  text.Add(digits.substr(wholeDigits));
}

void AddScientific(NumberText& text, std::string_view digits, int exponent) {
  text.Add(digits[0]);
  if (digits.size() > 1) {
    text.AddSeparator();
    text.Add(digits.substr(1));
  }
  text.Add('E');
  int power = exponent - 1;
  if (power < 0) {
    text.Add('-');
    power = -power;
  }
  char buffer[4];
  text.Add(std::string_view(buffer, std::to_chars(buffer, buffer + sizeof buffer, power).ptr));
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
  NumberText text;
  if (value < 0) text.Add('-');
  const double magnitude = std::fabs(value);
  if (std::isinf(magnitude)) {
    text.Add("INF");
  } else {
    const FifteenDigits rounded = RoundToFifteenDigits(magnitude);
    char buffer[16];
    const std::string_view digits = SignificantDigits(rounded.digits, buffer);
    // The value is 0.d1…dn × 10^exponent.
    const int exponent = rounded.exponent + 1;
    if (exponent >= -3 && exponent <= 15) {
      AddFixed(text, digits, exponent);
    } else {
      AddScientific(text, digits, exponent);
    }
  }
  text.AppendTo(out, decimalSeparator);
}

std::string FormatNumber(double value, std::string_view decimalSeparator) {
  std::string text;
  AppendNumber(text, value, decimalSeparator);
  return text;
}

}  // namespace talvorne
