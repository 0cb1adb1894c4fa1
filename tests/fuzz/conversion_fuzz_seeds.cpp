// Writes a few well-formed records into the fuzzing corpus, so that mutations start from both
// layouts instead of having to find the "CH" marker by chance.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/record_builder.h"

namespace {

using talvorne::testing::RecordBuilder;

RecordBuilder Sine(RecordBuilder builder, std::int32_t samples, int channels) {
  builder.ChannelCharacter('1').TimebaseCode(16).VoltsCode(1, 3);
  if (channels == 2) builder.VoltsCode(2, 7);
  for (std::int32_t i = 1; i <= samples; ++i) {
    for (int channel = 1; channel <= channels; ++channel) {
      builder.Sample(channel, i, static_cast<std::int16_t>((i * 37 * channel) % 20000 - 10000));
    }
  }
  return builder;
}

void Write(const std::filesystem::path& file, char separator, const RecordBuilder& builder) {
  std::ofstream out(file, std::ios::binary);
  out.put(separator);
  const std::vector<std::uint8_t>& bytes = builder.Bytes();
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return EXIT_FAILURE;
  const std::filesystem::path corpus = argv[1];
  std::filesystem::create_directories(corpus);
  Write(corpus / "two_channels_5000", ',', Sine(RecordBuilder::TwoChannels(5000), 5000, 2));
  Write(corpus / "two_channels_6250", '.', Sine(RecordBuilder::TwoChannels(6250), 6250, 2));
  Write(corpus / "one_channel_100", ',', Sine(RecordBuilder::OneChannel(100), 100, 1));
  Write(corpus / "one_channel_66_bytes", '.', RecordBuilder(66).Byte(65, 0x80));
  return EXIT_SUCCESS;
}
