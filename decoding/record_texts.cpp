#include "decoding/record_texts.h"

#include "decoding/channel_character.h"
#include "decoding/number_format.h"
#include "decoding/scale_tables.h"

namespace talvorne {
namespace {

std::string AmplitudeLabel(const WaveformRecord& record, std::string_view decimalSeparator) {
  const std::string range1 = FormatNumber(CalibreTension(record.VoltsCode(1)), decimalSeparator);
  if (record.ChannelCount() == 2) {
    const std::string range2 = FormatNumber(CalibreTension(record.VoltsCode(2)), decimalSeparator);
    return "Amplitude CH 1 : " + range1 + " mV\rCH2 : " + range2 + " mV";
  }
  return "Amplitude CH" + ChannelCharacterText(record.ChannelCharacter()) + " : " + range1 + " mV";
}

}  // namespace

std::string HeaderLines(const WaveformRecord& record) {
  if (record.ChannelCount() == 2) return std::string(kTwoChannelHeaderLines);
  return "t\tU" + ChannelCharacterText(record.ChannelCharacter()) + "\r\ns\tmV\r\n";
}

RecordTexts DescribeRecord(std::span<const std::uint8_t> bytes, std::string_view decimalSeparator) {
  const WaveformRecord record(bytes);
  return {
      "Balayage : " + FormatNumber(BaseDeTemps(record.TimebaseCode()), decimalSeparator) + " s",
      AmplitudeLabel(record, decimalSeparator),
      HeaderLines(record),
      record.SampleCount(),
  };
}

}  // namespace talvorne
