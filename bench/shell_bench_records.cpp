#include "bench/shell_bench_records.h"

#include <cmath>

#include "tests/support/record_builder.h"

namespace talvorne::bench {

namespace {

using testing::RecordBuilder;

constexpr std::uint16_t kTimebaseCode = 16;
constexpr std::uint16_t kVoltsCode = 6;

// A sine over a few periods with some noise, so that most samples differ from their neighbours.
// Its values stay below 0x4843 ("CH" read little-endian), so a one-channel record never shows the
// second block's marker.
std::int16_t Signal(std::int32_t i, std::int32_t count, std::uint32_t& noise) {
  noise = noise * 1664525u + 1013904223u;
  const double value = 15000 * std::sin(2 * 3.14159265358979 * 5 * i / count);
  return static_cast<std::int16_t>(std::lround(value) + static_cast<long>(noise >> 23) - 256);
}

std::vector<std::uint8_t> OneChannelRecord(std::int32_t n) {
  RecordBuilder builder = RecordBuilder::OneChannel(n);
  builder.ChannelCharacter('1').TimebaseCode(kTimebaseCode).VoltsCode(1, kVoltsCode);
  std::uint32_t noise = 1;
  for (std::int32_t i = 1; i <= n; ++i) builder.Sample(1, i, Signal(i, n, noise));
  return builder.Bytes();
}

}  // namespace

std::vector<std::uint8_t> UsualTwoChannelRecord() {
  constexpr std::int32_t n = 6250;
  RecordBuilder builder = RecordBuilder::TwoChannels(n);
  builder.ChannelCharacter('1').TimebaseCode(kTimebaseCode).VoltsCode(1, kVoltsCode);
  builder.VoltsCode(2, kVoltsCode);
  std::uint32_t noise = 1;
  for (std::int32_t i = 1; i <= n; ++i) {
    builder.Sample(1, i, Signal(i, n, noise)).Sample(2, i, Signal(n - i, n, noise));
  }
  return builder.Bytes();
}

std::vector<std::uint8_t> LongestAcceptedOneChannelRecord() {
  return OneChannelRecord(65'536);
}

std::vector<std::uint8_t> LargestOneChannelRecord() {
  return OneChannelRecord(8'388'575);
}

}  // namespace talvorne::bench
