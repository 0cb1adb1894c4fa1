// What the conversion of a waveform record shows before its pause: the sweep and amplitude
// labels and the two header lines of the data table, a view of the record's curve.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "decoding/curve.h"

namespace talvorne {

// The table's header before the first acquisition, and for every two-channel record.
inline constexpr std::string_view kTwoChannelHeaderLines = "t\tU1\tU2\r\ns\tmV\tmV\r\n";

struct RecordTexts {
  std::string sweepLabel;      // Label8: "Balayage : " S " s"
  std::string amplitudeLabel;  // Label9, a CR (13) between the two channel lines
  std::string headerLines;     // the two header lines of the table, each followed by "\r\n"
  std::int32_t sampleCount;    // N; zero or negative means no sample
};

RecordTexts DescribeRecord(const Curve& curve, std::string_view decimalSeparator);

// The names line and the units line, each followed by CR LF: the time, then each channel's
// column by its name.
std::string HeaderLines(const Curve& curve);

}  // namespace talvorne
