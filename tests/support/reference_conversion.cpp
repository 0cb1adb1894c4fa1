#include "tests/support/reference_conversion.h"

#include <cstdio>

#include "decoding/channel_character.h"
#include "decoding/record_texts.h"
#include "decoding/scale_tables.h"
#include "decoding/waveform_record.h"

namespace talvorne::testing {
namespace {

// "%.15g" already switches notation where the program's format does; only the zero's sign, the
// separator and the exponent's shape ("e-05" for "E-5", "e+15" for "E15") differ.
std::string ReferenceNumber(double value, std::string_view decimalSeparator) {
  if (value == 0) return "0";
  char printed[32];
  std::snprintf(printed, sizeof printed, "%.15g", value);
  std::string text;
  for (const char* c = printed; *c != '\0'; ++c) {
    if (*c == '.') {
      text += decimalSeparator;
    } else if (*c == 'e') {
      text += 'E';
      if (*++c == '-') text += '-';
      ++c;
      while (*c == '0' && c[1] != '\0') ++c;
      text += c;
      break;
    } else {
      text += *c;
    }
  }
  return text;
}

}  // namespace

ReferenceTexts ReferenceConversion(std::span<const std::uint8_t> bytes,
                                   std::string_view decimalSeparator) {
  const WaveformRecord record(bytes);
  const bool twoChannels = record.ChannelCount() == 2;
  const double secondsPerDivision = BaseDeTemps(record.TimebaseCode());
  const double factor1 = FacteurTension(record.VoltsCode(1));
  const double factor2 = twoChannels ? FacteurTension(record.VoltsCode(2)) : 0.0;
  const std::string range1 = ReferenceNumber(CalibreTension(record.VoltsCode(1)), decimalSeparator);

  ReferenceTexts texts;
  texts.sweepLabel = "Balayage : " + ReferenceNumber(secondsPerDivision, decimalSeparator) + " s";
  texts.amplitudeLabel =
      twoChannels
          ? "Amplitude CH 1 : " + range1 + " mV\rCH2 : " +
                ReferenceNumber(CalibreTension(record.VoltsCode(2)), decimalSeparator) + " mV"
          : "Amplitude CH" + ChannelCharacterText(record.ChannelCharacter()) + " : " + range1 +
                " mV";
  texts.table = HeaderLines(record);

  const std::int32_t count = record.SampleCount();
  for (std::int32_t i = 1; i <= count; ++i) {
    const std::string voltage1 =
        ReferenceNumber(Voltage(record.Sample(1, i), factor1), decimalSeparator);
    const std::size_t low = record.SamplePosition(1, i);
    char entry[64];
    std::snprintf(entry, sizeof entry, "\r%d : %02X %02X %zu", i, record.Byte(low + 1),
                  record.Byte(low), low + 1);
    texts.sampleByteTrace += entry;
    texts.timeVoltageTrace += '\r';
    texts.timeVoltageTrace += ReferenceNumber(i * secondsPerDivision, decimalSeparator);
    texts.timeVoltageTrace += " : ";
    texts.timeVoltageTrace += voltage1;
    texts.table += ReferenceNumber(SampleTime(i, secondsPerDivision, count), decimalSeparator);
    texts.table += '\t';
    texts.table += voltage1;
    if (twoChannels) {
      texts.table += '\t';
      texts.table += ReferenceNumber(Voltage(record.Sample(2, i), factor2), decimalSeparator);
    }
    texts.table += "\r\n";
  }
  return texts;
}

}  // namespace talvorne::testing
