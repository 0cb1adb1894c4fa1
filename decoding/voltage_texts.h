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
  VoltageTexts(double millivoltsPerUnit, std::string_view decimalSeparator);

  // The sample's voltage in the number format; valid until the next call.
  std::string_view Text(std::int16_t sample);

 private:
  struct Slot {
    std::size_t offset = 0;
    std::size_t length = 0;  // 0 until made: no number text is empty
  };

  double millivoltsPerUnit_;
  std::string_view decimalSeparator_;
  std::vector<Slot> slots_;
  std::string texts_;
};

}  // namespace talvorne
