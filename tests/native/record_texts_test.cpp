#include "decoding/record_texts.h"

#include <gtest/gtest.h>

#include "decoding/channel_character.h"
#include "decoding/curve.h"
#include "decoding/waveform_record.h"
#include "tests/support/record_builder.h"

namespace talvorne {
namespace {

using testing::RecordBuilder;

RecordTexts Describe(const RecordBuilder& builder, std::string_view separator = ".") {
  return DescribeRecord(DecodeCurve(WaveformRecord(builder.Bytes())), separator);
}

TEST(SweepLabel, SecondsPerDivisionOfTheTimebaseCode) {
  const std::pair<std::uint16_t, const char*> cases[] = {
      {0, "Balayage : 5E-9 s"}, {13, "Balayage : 0.0001 s"}, {16, "Balayage : 0.001 s"},
      {25, "Balayage : 1 s"},   {31, "Balayage : 100 s"},    {32, "Balayage : 0 s"},
      {256, "Balayage : 0 s"},  {65535, "Balayage : 0 s"}};
  for (auto [code, label] : cases) {
    EXPECT_EQ(Describe(RecordBuilder::OneChannel(10).TimebaseCode(code)).sweepLabel, label) << code;
  }
  EXPECT_EQ(Describe(RecordBuilder::OneChannel(10).TimebaseCode(13), ",").sweepLabel,
            "Balayage : 0,0001 s");
  EXPECT_EQ(Describe(RecordBuilder::OneChannel(10).TimebaseCode(2), ",").sweepLabel,
            "Balayage : 2,5E-8 s");
}

TEST(AmplitudeLabel, TwoChannelsOnTwoLines) {
  RecordBuilder record = RecordBuilder::TwoChannels(5000);
  record.VoltsCode(1, 4).VoltsCode(2, 10);
  EXPECT_EQ(Describe(record).amplitudeLabel, "Amplitude CH 1 : 50 mV\rCH2 : 5000 mV");
  record.VoltsCode(1, 0).VoltsCode(2, 11);
  EXPECT_EQ(Describe(record).amplitudeLabel, "Amplitude CH 1 : 0 mV\rCH2 : 0 mV");
}

TEST(AmplitudeLabel, OneChannelNamedByItsCharacter) {
  RecordBuilder record = RecordBuilder::OneChannel(10);
  record.ChannelCharacter('2').VoltsCode(1, 1);
  EXPECT_EQ(Describe(record).amplitudeLabel, "Amplitude CH2 : 5 mV");
  record.VoltsCode(1, 300);
  EXPECT_EQ(Describe(record).amplitudeLabel, "Amplitude CH2 : 0 mV");
}

TEST(HeaderLines, TwoChannelsAndOneChannel) {
  const RecordTexts two = Describe(RecordBuilder::TwoChannels(6250).ChannelCharacter('7'));
  EXPECT_EQ(two.headerLines, "t\tU1\tU2\r\ns\tmV\tmV\r\n");
  EXPECT_EQ(two.headerLines, kTwoChannelHeaderLines);
  const RecordTexts one = Describe(RecordBuilder::OneChannel(10).ChannelCharacter('2'));
  EXPECT_EQ(one.headerLines, "t\tU2\r\ns\tmV\r\n");
}

TEST(ChannelCharacter, PrintableLatin1AndControlCodes) {
  for (int byte = 0x20; byte <= 0x7E; ++byte) {
    EXPECT_EQ(ChannelCharacterText(static_cast<std::uint8_t>(byte)),
              std::string(1, static_cast<char>(byte)));
  }
  for (int byte : {0x00, 0x09, 0x0A, 0x0D, 0x1F, 0x7F, 0x80, 0x9F}) {
    EXPECT_EQ(ChannelCharacterText(static_cast<std::uint8_t>(byte)), "?") << byte;
  }
  EXPECT_EQ(ChannelCharacterText(0xA0), "\u00A0");
  EXPECT_EQ(ChannelCharacterText(0xB5), "\u00B5");
  EXPECT_EQ(ChannelCharacterText(0xE9), "\u00E9");
  EXPECT_EQ(ChannelCharacterText(0xFF), "\u00FF");

  // A NUL or CR in byte 16 cannot cut the table's first line or the label.
  for (std::uint8_t control : {std::uint8_t{0x00}, std::uint8_t{0x0D}}) {
    const RecordTexts texts = Describe(RecordBuilder::OneChannel(10).Byte(16, control));
    EXPECT_EQ(texts.headerLines, "t\tU?\r\ns\tmV\r\n");
    EXPECT_EQ(texts.amplitudeLabel, "Amplitude CH? : 0 mV");
  }
  EXPECT_EQ(Describe(RecordBuilder::OneChannel(10).Byte(16, 0xE9)).headerLines,
            "t\tU\u00E9\r\ns\tmV\r\n");
}

TEST(SampleCount, AnnouncedWithTheLabels) {
  EXPECT_EQ(Describe(RecordBuilder::TwoChannels(6250)).sampleCount, 6250);
  EXPECT_EQ(Describe(RecordBuilder(65)).sampleCount, 0);
  EXPECT_EQ(Describe(RecordBuilder(63)).sampleCount, -1);
  EXPECT_EQ(Describe(RecordBuilder(0)).sampleCount, -32);
  EXPECT_EQ(Describe(RecordBuilder(16777215)).sampleCount, 8388575);
}

TEST(DescribeRecord, EmptyRecordReadsAsZeros) {
  const RecordTexts texts = DescribeRecord(DecodeCurve(WaveformRecord({})), ",");
  EXPECT_EQ(texts.sweepLabel, "Balayage : 5E-9 s");  // timebase code 0
  EXPECT_EQ(texts.amplitudeLabel, "Amplitude CH? : 0 mV");
  EXPECT_EQ(texts.headerLines, "t\tU?\r\ns\tmV\r\n");
}

}  // namespace
}  // namespace talvorne
