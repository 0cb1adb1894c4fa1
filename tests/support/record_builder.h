// Builds waveform records the way the oscilloscope lays them out, for tests and the simulated
// instrument.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace talvorne::testing {

class RecordBuilder {
 public:
  // A record of the given length, all zero.
  explicit RecordBuilder(std::size_t length) : bytes_(length, 0) {}

  // A one-channel record holding n samples (65 + 2n bytes).
  static RecordBuilder OneChannel(std::int32_t n) {
    return RecordBuilder(65 + 2 * static_cast<std::size_t>(n));
  }
  // A two-channel record holding n samples per channel (116 + 4n bytes), with its second block
  // right after the first channel's samples and marked "CH".
  static RecordBuilder TwoChannels(std::int32_t n) {
    RecordBuilder builder(116 + 4 * static_cast<std::size_t>(n));
    builder.Marker(65 + 2 * static_cast<std::size_t>(n));
    return builder;
  }

  RecordBuilder& Byte(std::size_t position, std::uint8_t value) {
    if (position < bytes_.size()) bytes_[position] = value;
    return *this;
  }
  RecordBuilder& Field16(std::size_t position, std::uint16_t value) {
    Byte(position, static_cast<std::uint8_t>(value & 0xFF));
    return Byte(position + 1, static_cast<std::uint8_t>(value >> 8));
  }
  RecordBuilder& Marker(std::size_t blockStart) {
    secondBlock_ = blockStart;
    Byte(blockStart, 0x43);
    return Byte(blockStart + 1, 0x48);
  }
  RecordBuilder& ChannelCharacter(char c) { return Byte(16, static_cast<std::uint8_t>(c)); }
  RecordBuilder& TimebaseCode(std::uint16_t code) { return Field16(33, code); }
  RecordBuilder& VoltsCode(int channel, std::uint16_t code) {
    return Field16(BlockStart(channel) + 27, code);
  }
  RecordBuilder& Sample(int channel, std::int32_t i, std::int16_t value) {
    return Field16(BlockStart(channel) + 49 + 2 * static_cast<std::size_t>(i),
                   static_cast<std::uint16_t>(value));
  }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::size_t BlockStart(int channel) const { return channel == 2 ? secondBlock_ : 14; }

  std::vector<std::uint8_t> bytes_;
  std::size_t secondBlock_ = 0;
};

// The 12-byte reply header announcing a record of that length, then nine bytes that only the
// hexadecimal trace shows.
inline std::vector<std::uint8_t> HeaderFor(std::size_t length) {
  return {static_cast<std::uint8_t>(length & 0xFF),
          static_cast<std::uint8_t>((length >> 8) & 0xFF),
          static_cast<std::uint8_t>(length >> 16),
          0xA1,
          0xB2,
          0xC3,
          0,
          0,
          0,
          0,
          0,
          0x7F};
}

}  // namespace talvorne::testing
