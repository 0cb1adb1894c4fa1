// The waveform record the oscilloscope sends after its reply header: one or two channel blocks
// holding the timebase and volts codes and each channel's signed 16-bit little-endian samples.
// Every read is bounded by the record: a position at or beyond its length reads as 0, so a short
// or truncated record decodes into zeros, never into an error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace talvorne {

// Where a model's second channel block may start, in the order the marker "CH" is looked for
// there. The positions are the model's, and the array they are in outlives the format.
struct RecordFormat {
  std::span<const std::size_t> secondBlockStarts;
};

// The original oscilloscope's: after 6250 samples of the first channel, or else after 5000.
inline constexpr std::size_t kSecondBlockAfter6250Samples = 12565;
inline constexpr std::size_t kSecondBlockAfter5000Samples = 10065;
inline constexpr std::size_t kOriginalSecondBlockStarts[] = {kSecondBlockAfter6250Samples,
                                                             kSecondBlockAfter5000Samples};
inline constexpr RecordFormat kOriginalRecordFormat{kOriginalSecondBlockStarts};

struct RecordLayout {
  int channelCount = 1;
  std::size_t secondBlockStart = 0;  // B2; 0 when the record has one channel
};

// One channel unless the bytes "CH" stand at one of the format's starts, the first found; for the
// original format at 12565 (tested first) or at 10065.
RecordLayout DetectLayout(std::span<const std::uint8_t> record,
                          const RecordFormat& format = kOriginalRecordFormat);

// N, the samples per channel; zero or negative when the record holds no sample.
std::int32_t SampleCount(std::size_t length, int channelCount);

// The voltage of a sample in millivolts: one multiplication by the channel's factor.
double Voltage(std::int16_t sample, double millivoltsPerUnit);

// The time of sample i in seconds, ((i * S) * 10) / N in exactly that order: sample 1 lies one
// sample interval after the start and sample N at ten divisions.
double SampleTime(std::int32_t i, double secondsPerDivision, std::int32_t sampleCount);

class WaveformRecord {
 public:
  explicit WaveformRecord(std::span<const std::uint8_t> bytes,
                          const RecordFormat& format = kOriginalRecordFormat);

  std::size_t Length() const { return bytes_.size(); }
  std::uint8_t Byte(std::size_t position) const;
  std::uint16_t Field16(std::size_t position) const;

  const RecordLayout& Layout() const { return layout_; }
  int ChannelCount() const { return layout_.channelCount; }
  // The byte that names the first (or only) channel.
  std::uint8_t ChannelCharacter() const;
  std::uint16_t TimebaseCode() const;
  // channel is 1 or 2; the second exists only in a two-channel record.
  std::uint16_t VoltsCode(int channel) const;
  std::int32_t SampleCount() const { return sampleCount_; }

  // Position of the low byte of sample i (1 to N) of a channel; the high byte follows it.
  std::size_t SamplePosition(int channel, std::int32_t i) const;
  std::int16_t Sample(int channel, std::int32_t i) const;

 private:
  std::size_t BlockStart(int channel) const;

  std::span<const std::uint8_t> bytes_;
  RecordLayout layout_;
  std::int32_t sampleCount_;
};

}  // namespace talvorne
