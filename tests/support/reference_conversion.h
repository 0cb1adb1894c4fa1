// A plain conversion to measure against: every number through snprintf("%.15g"), reshaped into
// the program's number format, each text grown by appending. It gives the same texts as the
// program's conversion, except that snprintf rounds exact ties to even.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace talvorne::testing {

struct ReferenceTexts {
  std::string sweepLabel;
  std::string amplitudeLabel;
  std::string table;
  std::string sampleByteTrace;
  std::string timeVoltageTrace;
};

ReferenceTexts ReferenceConversion(std::span<const std::uint8_t> record,
                                   std::string_view decimalSeparator);

}  // namespace talvorne::testing
