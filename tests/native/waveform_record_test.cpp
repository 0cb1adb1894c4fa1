#include "decoding/waveform_record.h"

#include <gtest/gtest.h>

#include <vector>

#include "decoding/scale_tables.h"
#include "tests/support/record_builder.h"

namespace talvorne {
namespace {

using testing::RecordBuilder;

WaveformRecord Read(const std::vector<std::uint8_t>& bytes) {
  return WaveformRecord(bytes);
}

TEST(LayoutDetection, MarkerPositionsAndPrecedence) {
  // Both markers present: 12565 is tested first.
  RecordBuilder both(25116);
  both.Marker(10065).Marker(12565);
  EXPECT_EQ(DetectLayout(both.Bytes()).secondBlockStart, 12565u);

  // A 5000-sample record whose samples happen to spell "CH" at 12565 is read as a 6250 one.
  RecordBuilder lookalike = RecordBuilder::TwoChannels(5000);
  lookalike.Sample(2, 1225, static_cast<std::int16_t>(0x4300)).Sample(2, 1226, 0x0048);
  ASSERT_EQ(lookalike.Bytes()[12565], 0x43);
  ASSERT_EQ(lookalike.Bytes()[12566], 0x48);
  const RecordLayout layout = DetectLayout(lookalike.Bytes());
  EXPECT_EQ(layout.channelCount, 2);
  EXPECT_EQ(layout.secondBlockStart, 12565u);

  const RecordLayout at10065 = DetectLayout(RecordBuilder::TwoChannels(5000).Bytes());
  EXPECT_EQ(at10065.channelCount, 2);
  EXPECT_EQ(at10065.secondBlockStart, 10065u);
}

TEST(LayoutDetection, AnotherFormatsStartsAreTriedInItsOwnOrder) {
  RecordBuilder both(25116);
  both.Marker(10065).Marker(12565);
  constexpr std::size_t k5000First[] = {10065, 12565};
  EXPECT_EQ(DetectLayout(both.Bytes(), RecordFormat{k5000First}).secondBlockStart, 10065u);

  constexpr std::size_t k6250Only[] = {12565};
  const RecordBuilder five = RecordBuilder::TwoChannels(5000);
  EXPECT_EQ(WaveformRecord(five.Bytes(), RecordFormat{k6250Only}).ChannelCount(), 1);
}

TEST(LayoutDetection, OnlyTheExactMarkerMatches) {
  for (auto [first, second] : {std::pair{0x63, 0x68}, {0x48, 0x43}, {0x43, 0x00}}) {
    RecordBuilder record(25116);
    record.Byte(12565, static_cast<std::uint8_t>(first))
        .Byte(12566, static_cast<std::uint8_t>(second));
    EXPECT_EQ(DetectLayout(record.Bytes()).channelCount, 1) << first << " " << second;
  }
  // A marker cut by the record's end does not count: its second byte reads as 0.
  RecordBuilder cut(12566);
  cut.Byte(12565, 0x43);
  EXPECT_EQ(DetectLayout(cut.Bytes()).channelCount, 1);
}

TEST(SampleCount, OneChannelBoundaries) {
  EXPECT_EQ(SampleCount(0, 1), -32);
  EXPECT_EQ(SampleCount(63, 1), -1);
  EXPECT_EQ(SampleCount(64, 1), 0);
  EXPECT_EQ(SampleCount(65, 1), 0);
  EXPECT_EQ(SampleCount(66, 1), 1);
  EXPECT_EQ(SampleCount(67, 1), 1);
  EXPECT_EQ(SampleCount(16777215, 1), 8388575);
}

TEST(SampleCount, TwoChannels) {
  EXPECT_EQ(SampleCount(25116, 2), 6250);
  EXPECT_EQ(SampleCount(20116, 2), 5000);
  EXPECT_EQ(SampleCount(20119, 2), 5000);
}

TEST(WaveformRecord, OneChannelOf12565BytesReadsBeyondItsEndAsZero) {
  RecordBuilder builder(12565);
  builder.Field16(12563, 0x1234);
  const WaveformRecord record = Read(builder.Bytes());
  EXPECT_EQ(record.ChannelCount(), 1);
  EXPECT_EQ(record.SampleCount(), 6250);
  EXPECT_EQ(record.SamplePosition(1, 6250), 12563u);
  EXPECT_EQ(record.Sample(1, 6250), 0x1234);
  EXPECT_EQ(record.Byte(12565), 0);
  EXPECT_EQ(record.Field16(12564), 0x12);
}

TEST(WaveformRecord, ShortRecordsReadMissingBytesAsZero) {
  // L = 66: one sample whose high byte (66) lies beyond the record.
  std::vector<std::uint8_t> bytes(66, 0xFF);
  WaveformRecord short66 = Read(bytes);
  EXPECT_EQ(short66.SampleCount(), 1);
  EXPECT_EQ(short66.Sample(1, 1), 0x00FF);

  bytes.push_back(0x7F);  // L = 67: both bytes inside.
  EXPECT_EQ(Read(bytes).Sample(1, 1), 0x7FFF);

  // Codes of a record too short to hold them are zero, and so are their scales.
  const std::vector<std::uint8_t> tinyBytes(34, 0x10);  // outlives the record that views it
  const WaveformRecord tiny = Read(tinyBytes);
  EXPECT_EQ(tiny.TimebaseCode(), 0x0010);  // 33 inside, 34 outside
  EXPECT_EQ(tiny.VoltsCode(1), 0);
  const WaveformRecord empty = Read({});
  EXPECT_EQ(empty.ChannelCharacter(), 0);
  EXPECT_EQ(empty.SampleCount(), -32);
}

TEST(WaveformRecord, TwoChannelsOf25116Bytes) {
  RecordBuilder builder = RecordBuilder::TwoChannels(6250);
  builder.Sample(1, 1, 11).Sample(1, 6250, 12).Sample(2, 1, 21).Sample(2, 6250, 22);
  const WaveformRecord record = Read(builder.Bytes());
  ASSERT_EQ(record.Length(), 25116u);
  EXPECT_EQ(record.Layout().secondBlockStart, 12565u);
  EXPECT_EQ(record.SampleCount(), 6250);
  EXPECT_EQ(record.SamplePosition(1, 1), 65u);
  EXPECT_EQ(record.SamplePosition(1, 6250), 12563u);
  EXPECT_EQ(record.SamplePosition(2, 1), 12616u);
  EXPECT_EQ(record.SamplePosition(2, 6250), 25114u);
  EXPECT_EQ(record.Sample(1, 1), 11);
  EXPECT_EQ(record.Sample(1, 6250), 12);
  EXPECT_EQ(record.Sample(2, 1), 21);
  EXPECT_EQ(record.Sample(2, 6250), 22);
}

TEST(WaveformRecord, CodesAndCharacterAtTheirPositions) {
  RecordBuilder builder = RecordBuilder::TwoChannels(5000);
  builder.ChannelCharacter('2').Byte(33, 0x10).Byte(34, 0x00).VoltsCode(1, 10).VoltsCode(2, 4);
  const WaveformRecord record = Read(builder.Bytes());
  EXPECT_EQ(record.ChannelCharacter(), '2');
  EXPECT_EQ(record.TimebaseCode(), 16);
  EXPECT_EQ(record.VoltsCode(1), 10);
  EXPECT_EQ(record.VoltsCode(2), 4);
  EXPECT_EQ(builder.Bytes()[10065 + 27], 4);

  RecordBuilder high(100);
  high.Byte(33, 0x00).Byte(34, 0x01);
  EXPECT_EQ(Read(high.Bytes()).TimebaseCode(), 256);
}

TEST(WaveformRecord, SamplesAreTwosComplement) {
  const std::pair<std::uint16_t, std::int16_t> cases[] = {
      {0x8000, -32768}, {0xFFFF, -1}, {0x7FFF, 32767}, {0x0001, 1}, {0x0000, 0}};
  for (auto [raw, value] : cases) {
    RecordBuilder builder = RecordBuilder::OneChannel(1);
    builder.Field16(65, raw);
    EXPECT_EQ(Read(builder.Bytes()).Sample(1, 1), value) << raw;
  }
}

TEST(ScaleTables, EveryRowStepsOneTwoFivePerDecadeAndNothingLiesOutside) {
  // 5 ns, 10 ns, 25 ns, 50 ns, 100 ns … 100 s: times 2, 2.5 and 2 in turn.
  EXPECT_EQ(BaseDeTemps(0), 5e-9);
  for (std::int32_t code = 1; code <= 31; ++code) {
    EXPECT_DOUBLE_EQ(BaseDeTemps(code), BaseDeTemps(code - 1) * (code % 3 == 2 ? 2.5 : 2.0))
        << code;
  }
  EXPECT_EQ(BaseDeTemps(31), 100.0);
  for (std::int32_t code : {-1, 32, 256, 65535}) EXPECT_EQ(BaseDeTemps(code), 0.0) << code;

  // 5, 10, 20, 50 … 5000 mV per division: times 2, 2 and 2.5 in turn. The factor is the range
  // per division over 25 sample units.
  EXPECT_EQ(CalibreTension(1), 5.0);
  for (std::int32_t code = 2; code <= 10; ++code) {
    EXPECT_EQ(CalibreTension(code), CalibreTension(code - 1) * (code % 3 == 1 ? 2.5 : 2.0)) << code;
  }
  EXPECT_EQ(CalibreTension(10), 5000.0);
  for (std::int32_t code = 1; code <= 10; ++code) {
    EXPECT_EQ(FacteurTension(code), CalibreTension(code) / 25) << code;
  }
  EXPECT_EQ(FacteurTension(1), 0.2);
  EXPECT_EQ(FacteurTension(10), 200.0);
  for (std::int32_t code : {-1, 0, 11, 65535}) {
    EXPECT_EQ(FacteurTension(code), 0.0) << code;
    EXPECT_EQ(CalibreTension(code), 0.0) << code;
  }
}

TEST(PhysicalValues, OperationOrderIsKept) {
  EXPECT_EQ(Voltage(-32768, 200), -6553600.0);
  EXPECT_EQ(Voltage(3, 0.2), 0.6000000000000001);
  EXPECT_EQ(SampleTime(1, 0.001, 5000), 2e-6);
  EXPECT_EQ(SampleTime(50, 0.001, 5000), 1e-4);
  EXPECT_EQ(SampleTime(5000, 0.001, 5000), 0.01);
  // ((3 * 5e-9) * 10) / 5000 is not the double nearest to 3e-11.
  EXPECT_EQ(SampleTime(3, 5e-9, 5000), ((3 * 5e-9) * 10) / 5000);
  EXPECT_NE(SampleTime(3, 5e-9, 5000), 3e-11);
  EXPECT_EQ(SampleTime(7, 0.0, 5000), 0.0);
}

}  // namespace
}  // namespace talvorne
