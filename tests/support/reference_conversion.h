// A plain conversion to compare with: every number through snprintf("%.15g"), reshaped into the
// program's number format, each text grown by appending. The benchmark measures the program's
// conversion against it; the tests and the fuzz target check that both write the same texts.
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

// Where the program's conversion (DescribeRecord, then ConvertSamples) first parts from the
// reference: the text, the offset and both versions from a little before it; empty when every
// text is the same.
std::string DifferenceFromReference(std::span<const std::uint8_t> record,
                                    std::string_view decimalSeparator);

}  // namespace talvorne::testing
