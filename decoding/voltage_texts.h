// The voltage texts of one channel, each made once: a channel has at most 65536 distinct
// samples, and a sample's text serves both its table line and its trace entry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace talvorne {

class VoltageTexts {
 public:
  // The separator is a few bytes, as a locale's is.
  VoltageTexts(double millivoltsPerUnit, std::string_view decimalSeparator);

  // The sample's voltage in the number format; valid until the next call.
  std::string_view Text(std::int16_t sample);

 private:
  double millivoltsPerUnit_;
  std::string_view decimalSeparator_;
  // Per sample value, 0 until its text is made, then 1 + where it lies in texts_: a two-byte
  // length, then the text. Four bytes a value keep this table small to clear.
  std::vector<std::uint32_t> slots_;
  std::string texts_;
};

}  // namespace talvorne
