#include "tests/support/reference_conversion.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>

#include "decoding/channel_character.h"
#include "decoding/scale_tables.h"
#include "decoding/waveform_record.h"

namespace talvorne::testing {
namespace {

// Whether the magnitude lies exactly halfway between two values of 15 significant digits: its
// exact decimal expansion then has 16 significant digits, the last a 5. With the magnitude
// written odd × 2^-k, those digits are the ones of odd × 5^k.
bool IsHalfway(double magnitude) {
  constexpr std::uint64_t kSixteenDigits = 10'000'000'000'000'000;
  int exponent = 0;
  auto digits = static_cast<std::uint64_t>(std::ldexp(std::frexp(magnitude, &exponent), 53));
  exponent -= 53;
  if (exponent > 0) return false;  // an even whole number
  const int halvings = std::min(std::countr_zero(digits), -exponent);
  digits >>= halvings;
  for (exponent += halvings; exponent < 0 && digits < kSixteenDigits; ++exponent) digits *= 5;
  return exponent == 0 && digits >= kSixteenDigits / 10 && digits < kSixteenDigits &&
         digits % 10 == 5;
}

// "%.15g" already switches notation where the program's format does; only the zero's sign, the
// separator and the exponent's shape ("e-05" for "E-5", "e+15" for "E15") differ.
std::string ReferenceNumber(double value, std::string_view decimalSeparator) {
  if (value == 0) return "0";
  // snprintf rounds a value exactly halfway to even, the format away from zero; the next double
  // away from zero rounds the same way under both rules.
  if (IsHalfway(std::fabs(value))) value = std::nextafter(value, 2 * value);
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
  texts.table = twoChannels
                    ? "t\tU1\tU2\r\ns\tmV\tmV\r\n"
                    : "t\tU" + ChannelCharacterText(record.ChannelCharacter()) + "\r\ns\tmV\r\n";

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

std::string DifferenceFromReference(const RecordTexts& described, const SampleTexts& converted,
                                    const ReferenceTexts& reference) {
  const struct {
    const char* name;
    std::string_view program;
    std::string_view reference;
  } texts[] = {
      {"sweep label", described.sweepLabel, reference.sweepLabel},
      {"amplitude label", described.amplitudeLabel, reference.amplitudeLabel},
      {"table", converted.table, reference.table},
      {"sample-byte trace", converted.sampleByteTrace, reference.sampleByteTrace},
      {"time-voltage trace", converted.timeVoltageTrace, reference.timeVoltageTrace},
  };
  for (const auto& text : texts) {
    const auto [inProgram, inReference] = std::mismatch(
        text.program.begin(), text.program.end(), text.reference.begin(), text.reference.end());
    if (inProgram == text.program.end() && inReference == text.reference.end()) continue;
    const auto at = static_cast<std::size_t>(inProgram - text.program.begin());
    const std::size_t from = at - std::min<std::size_t>(at, 40);
    return std::string(text.name) + " differs at " + std::to_string(at) + ": program \"" +
           std::string(text.program.substr(from, 80)) + "\", reference \"" +
           std::string(text.reference.substr(from, 80)) + "\"";
  }
  return "";
}

}  // namespace talvorne::testing
