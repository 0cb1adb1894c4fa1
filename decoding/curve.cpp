#include "decoding/curve.h"

#include "decoding/channel_character.h"
#include "decoding/scale_tables.h"

namespace talvorne {
namespace {

CurveChannel DecodeChannel(const WaveformRecord& record, int channel, std::string name) {
  CurveChannel decoded;
  decoded.name = std::move(name);
  decoded.millivoltsPerDivision = CalibreTension(record.VoltsCode(channel));
  decoded.millivoltsPerUnit = FacteurTension(record.VoltsCode(channel));
  decoded.firstSamplePosition = record.SamplePosition(channel, 1);
  const std::int32_t count = record.SampleCount();
  if (count <= 0) return decoded;
  decoded.samples.reserve(static_cast<std::size_t>(count));
  decoded.millivolts.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 1; i <= count; ++i) {
    const std::int16_t sample = record.Sample(channel, i);
    decoded.samples.push_back(sample);
    decoded.millivolts.push_back(Voltage(sample, decoded.millivoltsPerUnit));
  }
  return decoded;
}

}  // namespace

Curve DecodeCurve(const WaveformRecord& record) {
  Curve curve;
  curve.sampleCount = record.SampleCount();
  curve.secondsPerDivision = BaseDeTemps(record.TimebaseCode());
  curve.channelCharacter = ChannelCharacterText(record.ChannelCharacter());
  if (record.ChannelCount() == 2) {
    curve.channels.push_back(DecodeChannel(record, 1, "U1"));
    curve.channels.push_back(DecodeChannel(record, 2, "U2"));
  } else {
    curve.channels.push_back(DecodeChannel(record, 1, "U" + curve.channelCharacter));
  }
  if (curve.HasSamples()) {
    curve.seconds.reserve(static_cast<std::size_t>(curve.sampleCount));
    for (std::int32_t i = 1; i <= curve.sampleCount; ++i) {
      curve.seconds.push_back(SampleTime(i, curve.secondsPerDivision, curve.sampleCount));
    }
  }
  return curve;
}

}  // namespace talvorne
