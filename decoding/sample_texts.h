// What the conversion of a waveform record writes after its pause: the data table and the two
// diagnostic traces, a view of the record's curve.
#pragma once

#include <string>
#include <string_view>

#include "decoding/curve.h"

namespace talvorne {

struct SampleTexts {
  std::string table;  // header lines then one line per sample, each line followed by "\r\n"
  std::string sampleByteTrace;   // RichEdit1: entries each starting with CR (13), no LF
  std::string timeVoltageTrace;  // RichEdit3: same convention
};

// A sample line is the time, then the first channel's voltage, then the second's when there is
// one, separated by tabs. Both traces follow the first channel only. With N <= 0 the table is the
// header lines alone and the traces are empty. The curve is as DecodeCurve makes it.
SampleTexts ConvertSamples(const Curve& curve, std::string_view decimalSeparator);

}  // namespace talvorne
