// A plain conversion to compare with: every number through snprintf("%.15g"), reshaped into the
// program's number format, each text grown by appending. The benchmark measures the program's
// conversion against it; the tests and the fuzz target check that both write the same texts.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "decoding/record_texts.h"
#include "decoding/sample_texts.h"

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

// Where the program's texts (from DescribeRecord and ConvertSamples) first part from the
// reference's: the text, the offset and both versions from a little before it; empty when every
// text is the same.
std::string DifferenceFromReference(const RecordTexts& described, const SampleTexts& converted,
                                    const ReferenceTexts& reference);

}  // namespace talvorne::testing
