#include "decoding/record_texts.h"

#include "decoding/number_format.h"

namespace talvorne {
namespace {

std::string AmplitudeLabel(const Curve& curve, std::string_view decimalSeparator) {
  const std::string range1 =
      FormatNumber(curve.channels[0].millivoltsPerDivision, decimalSeparator);
  if (curve.channels.size() == 2) {
    const std::string range2 =
        FormatNumber(curve.channels[1].millivoltsPerDivision, decimalSeparator);
    return "Amplitude CH 1 : " + range1 + " mV\rCH2 : " + range2 + " mV";
  }
  return "Amplitude CH" + curve.channelCharacter + " : " + range1 + " mV";
}

}  // namespace

std::string HeaderLines(const Curve& curve) {
  std::string names = "t";
  std::string units = "s";
  for (const CurveChannel& channel : curve.channels) {
    names += '\t';
    names += channel.name;
    units += "\tmV";
  }
  return names + "\r\n" + units + "\r\n";
}

RecordTexts DescribeRecord(const Curve& curve, std::string_view decimalSeparator) {
  return {
      "Balayage : " + FormatNumber(curve.secondsPerDivision, decimalSeparator) + " s",
      AmplitudeLabel(curve, decimalSeparator),
      HeaderLines(curve),
      curve.sampleCount,
  };
}

}  // namespace talvorne
