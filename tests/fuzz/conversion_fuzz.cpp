// Arbitrary bytes as a waveform record (and their first eight as a number): the conversion must
// neither crash nor read outside the record, its texts must keep their shape (one table line and
// one trace entry per sample) and be the ones the plain reference conversion writes.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "decoding/curve.h"
#include "decoding/decimal_rounding.h"
#include "decoding/number_format.h"
#include "decoding/record_texts.h"
#include "decoding/sample_texts.h"
#include "decoding/waveform_record.h"
#include "tests/support/reference_conversion.h"

namespace {

std::size_t Occurrences(const std::string& text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

// The record's first bytes taken as any double: the number format must hold, and both ways of
// rounding agree.
void CheckNumber(std::span<const std::uint8_t> record, std::string_view separator) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, record.data(), std::min(record.size(), sizeof bits));
  const double value = std::bit_cast<double>(bits);
  Require(talvorne::FormatNumber(value, separator).size() <= talvorne::MaxNumberLength(separator));
  const double magnitude = std::fabs(value);
  if (!std::isfinite(magnitude) || magnitude == 0) return;
  if (const auto fast = talvorne::RoundByScaling(magnitude)) {
    Require(*fast == talvorne::RoundByFullExpansion(magnitude));
  }
}

}  // namespace

// The first byte chooses the decimal separator; the rest is the record.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view separator = (data[0] & 1) != 0 ? "," : ".";
  const std::span<const std::uint8_t> record(data + 1, size - 1);

  CheckNumber(record, separator);
  // As the window converts: the record decoded once, then both views of its curve.
  const talvorne::Curve curve = talvorne::DecodeCurve(talvorne::WaveformRecord(record));
  const talvorne::RecordTexts described = talvorne::DescribeRecord(curve, separator);
  const talvorne::SampleTexts converted = talvorne::ConvertSamples(curve, separator);

  const std::size_t samples = static_cast<std::size_t>(std::max(described.sampleCount, 0));
  Require(converted.table.starts_with(described.headerLines));
  Require(Occurrences(converted.table, "\r\n") == 2 + samples);
  Require(Occurrences(converted.table, "\r") == 2 + samples);
  Require(converted.table.find('\0') == std::string::npos);
  Require(Occurrences(converted.sampleByteTrace, "\r") == samples);
  Require(Occurrences(converted.timeVoltageTrace, "\r") == samples);
  Require(converted.sampleByteTrace.find(',') == std::string::npos);
  Require(Occurrences(described.amplitudeLabel, "\r") <= 1);

  const std::string difference = talvorne::testing::DifferenceFromReference(
      described, converted, talvorne::testing::ReferenceConversion(record, separator));
  if (!difference.empty()) std::fprintf(stderr, "%s\n", difference.c_str());
  Require(difference.empty());
  return 0;
}
