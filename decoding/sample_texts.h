// What the conversion of a waveform record writes after its pause: the data table and the two
// diagnostic traces.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace talvorne {

struct SampleTexts {
  std::string table;  // header lines then one line per sample, each line followed by "\r\n"
  std::string sampleByteTrace;   // RichEdit1: entries each starting with CR (13), no LF
  std::string timeVoltageTrace;  // RichEdit3: same convention
};

// A sample line is the time, then the first channel's voltage, then the second's when there is
// one, separated by tabs. Both traces follow the first channel only. With N <= 0 the table is the
// header lines alone and the traces are empty.
SampleTexts ConvertSamples(std::span<const std::uint8_t> record, std::string_view decimalSeparator);

}  // namespace talvorne
