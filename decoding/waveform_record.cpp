#include "decoding/waveform_record.h"

namespace talvorne {
namespace {

// Distances from a channel block's start; the first block starts at 14.
constexpr std::size_t kFirstBlockStart = 14;
constexpr std::size_t kChannelCharacterOffset = 2;
constexpr std::size_t kTimebaseCodeOffset = 19;
constexpr std::size_t kVoltsCodeOffset = 27;
constexpr std::size_t kSampleZeroOffset = 49;  // sample i's low byte is at 49 + 2i

constexpr std::uint8_t kMarkerFirst = 0x43;   // 'C'
constexpr std::uint8_t kMarkerSecond = 0x48;  // 'H'

std::uint8_t ByteAt(std::span<const std::uint8_t> bytes, std::size_t position) {
  return position < bytes.size() ? bytes[position] : std::uint8_t{0};
}

bool HasMarkerAt(std::span<const std::uint8_t> record, std::size_t position) {
  return ByteAt(record, position) == kMarkerFirst && ByteAt(record, position + 1) == kMarkerSecond;
}

}  // namespace

RecordLayout DetectLayout(std::span<const std::uint8_t> record, const RecordFormat& format) {
  for (std::size_t start : format.secondBlockStarts) {
    if (HasMarkerAt(record, start)) return {2, start};
  }
  return {1, 0};
}

std::int32_t SampleCount(std::size_t length, int channelCount) {
  // The length comes from a 24-bit field, so both quotients fit a signed 32-bit count.
  if (channelCount == 2) return static_cast<std::int32_t>(length / 4) - 29;
  return static_cast<std::int32_t>(length / 2) - 32;
}

double Voltage(std::int16_t sample, double millivoltsPerUnit) {
  return static_cast<double>(sample) * millivoltsPerUnit;
}

double SampleTime(std::int32_t i, double secondsPerDivision, std::int32_t sampleCount) {
  return ((static_cast<double>(i) * secondsPerDivision) * 10.0) / static_cast<double>(sampleCount);
}

WaveformRecord::WaveformRecord(std::span<const std::uint8_t> bytes, const RecordFormat& format)
    : bytes_(bytes),
      layout_(DetectLayout(bytes, format)),
      sampleCount_(talvorne::SampleCount(bytes.size(), layout_.channelCount)) {}

std::uint8_t WaveformRecord::Byte(std::size_t position) const {
  return ByteAt(bytes_, position);
}

std::uint16_t WaveformRecord::Field16(std::size_t position) const {
  return static_cast<std::uint16_t>(Byte(position) | (Byte(position + 1) << 8));
}

std::size_t WaveformRecord::BlockStart(int channel) const {
  return channel == 2 ? layout_.secondBlockStart : kFirstBlockStart;
}

std::uint8_t WaveformRecord::ChannelCharacter() const {
  return Byte(kFirstBlockStart + kChannelCharacterOffset);
}

std::uint16_t WaveformRecord::TimebaseCode() const {
  return Field16(kFirstBlockStart + kTimebaseCodeOffset);
}

std::uint16_t WaveformRecord::VoltsCode(int channel) const {
  return Field16(BlockStart(channel) + kVoltsCodeOffset);
}

std::size_t WaveformRecord::SamplePosition(int channel, std::int32_t i) const {
  return BlockStart(channel) + kSampleZeroOffset + 2 * static_cast<std::size_t>(i);
}

std::int16_t WaveformRecord::Sample(int channel, std::int32_t i) const {
  // Two's complement: a raw value above 32767 stands for raw - 65536.
  const int raw = Field16(SamplePosition(channel, i));
  return static_cast<std::int16_t>(raw > 32767 ? raw - 65536 : raw);
}

}  // namespace talvorne
