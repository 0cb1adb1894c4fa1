#include "decoding/sample_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "decoding/curve.h"
#include "decoding/number_format.h"
#include "decoding/record_texts.h"
#include "decoding/waveform_record.h"
#include "tests/support/record_builder.h"
#include "tests/support/reference_conversion.h"

namespace talvorne {
namespace {

using testing::RecordBuilder;

constexpr std::uint16_t kMillisecondPerDivision = 16;  // S = 0.001

SampleTexts Convert(const RecordBuilder& builder, std::string_view separator = ".") {
  return ConvertSamples(DecodeCurve(WaveformRecord(builder.Bytes())), separator);
}

// The table's lines; every line, the last included, ends with CR LF.
std::vector<std::string> Lines(const std::string& table) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = table.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(table.substr(start, end - start));
  }
  EXPECT_EQ(start, table.size()) << "text after the last CR LF";
  return lines;
}

// A trace's entries, each having begun with a CR.
std::vector<std::string> Entries(const std::string& trace) {
  std::vector<std::string> entries;
  if (trace.empty()) return entries;
  EXPECT_EQ(trace[0], '\r');
  EXPECT_EQ(trace.find('\n'), std::string::npos);
  for (std::size_t start = 1, end;; start = end + 1) {
    end = std::min(trace.find('\r', start), trace.size());
    entries.push_back(trace.substr(start, end - start));
    if (end == trace.size()) return entries;
  }
}

// Where the program's texts, both views of the record's curve, first part from the plain
// reference conversion's; empty if nowhere.
std::string DifferenceFromReference(const RecordBuilder& builder, std::string_view separator) {
  const std::vector<std::uint8_t>& record = builder.Bytes();
  const Curve curve = DecodeCurve(WaveformRecord(record));
  return testing::DifferenceFromReference(DescribeRecord(curve, separator),
                                          ConvertSamples(curve, separator),
                                          testing::ReferenceConversion(record, separator));
}

std::string TimeColumn(const std::string& line) {
  return line.substr(0, line.find('\t'));
}

TEST(TimeColumn, TwoChannelsFiveThousandSamplesAtOneMillisecond) {
  RecordBuilder record = RecordBuilder::TwoChannels(5000);
  record.TimebaseCode(kMillisecondPerDivision);
  const std::vector<std::string> lines = Lines(Convert(record).table);
  ASSERT_EQ(lines.size(), 5002u);
  EXPECT_EQ(TimeColumn(lines[2]), "2E-6");
  EXPECT_EQ(TimeColumn(lines[3]), "4E-6");
  EXPECT_EQ(TimeColumn(lines[4]), "6E-6");
  EXPECT_EQ(TimeColumn(lines[1 + 49]), "9.8E-5");
  EXPECT_EQ(TimeColumn(lines[1 + 50]), "0.0001");
  EXPECT_EQ(TimeColumn(lines[1 + 51]), "0.000102");
  EXPECT_EQ(TimeColumn(lines[1 + 5000]), "0.01");

  const std::vector<std::string> comma = Lines(Convert(record, ",").table);
  EXPECT_EQ(TimeColumn(comma[2]), "2E-6");
  EXPECT_EQ(TimeColumn(comma[1 + 49]), "9,8E-5");
  EXPECT_EQ(TimeColumn(comma[1 + 50]), "0,0001");
  EXPECT_EQ(TimeColumn(comma[1 + 51]), "0,000102");
  EXPECT_EQ(TimeColumn(comma[1 + 5000]), "0,01");
}

TEST(TimeColumn, SixThousandTwoHundredFiftySamples) {
  RecordBuilder record = RecordBuilder::TwoChannels(6250);
  record.TimebaseCode(kMillisecondPerDivision);
  const std::vector<std::string> lines = Lines(Convert(record).table);
  ASSERT_EQ(lines.size(), 6252u);
  EXPECT_EQ(TimeColumn(lines[2]), "1.6E-6");
  EXPECT_EQ(TimeColumn(lines[3]), "3.2E-6");
  EXPECT_EQ(TimeColumn(lines[4]), "4.8E-6");
  EXPECT_EQ(TimeColumn(lines[1 + 7]), "1.12E-5");
  EXPECT_EQ(TimeColumn(lines[1 + 6250]), "0.01");
}

TEST(TimeColumn, ShortestTimebaseRoundsAwayTheLastBinaryDigits) {
  RecordBuilder record = RecordBuilder::TwoChannels(5000);
  record.TimebaseCode(0);
  const std::vector<std::string> lines = Lines(Convert(record).table);
  EXPECT_EQ(TimeColumn(lines[2]), "1E-11");
  EXPECT_EQ(TimeColumn(lines[3]), "2E-11");
  EXPECT_EQ(TimeColumn(lines[4]), "3E-11");  // the double is 3.0000000000000006e-11
}

TEST(TimeColumn, TimebaseOutsideTheTableGivesZeroTimes) {
  RecordBuilder record = RecordBuilder::OneChannel(3);
  record.TimebaseCode(32);
  for (const std::string& line : Lines(Convert(record).table)) {
    if (line.starts_with("t") || line.starts_with("s")) continue;
    EXPECT_EQ(TimeColumn(line), "0");
  }
}

TEST(SampleLines, VoltagesInTheNumberFormat) {
  RecordBuilder record = RecordBuilder::OneChannel(3);
  record.ChannelCharacter('2').TimebaseCode(kMillisecondPerDivision).VoltsCode(1, 3);
  record.Sample(1, 1, -3).Sample(1, 2, 25).Sample(1, 3, -32768);
  EXPECT_EQ(Convert(record).table,
            "t\tU2\r\ns\tmV\r\n"
            "0.00333333333333333\t-2.4\r\n"
            "0.00666666666666667\t20\r\n"
            "0.01\t-26214.4\r\n");

  record.VoltsCode(1, 1);
  EXPECT_EQ(Lines(Convert(record).table)[3], "0.00666666666666667\t5");
  record.VoltsCode(1, 10);
  EXPECT_EQ(Lines(Convert(record).table)[4], "0.01\t-6553600");
  // F = 0: a negative sample is written 0, not -0.
  record.VoltsCode(1, 0);
  EXPECT_EQ(Lines(Convert(record).table)[2], "0.00333333333333333\t0");
}

TEST(SampleLines, TwoChannelsCarryBothVoltages) {
  RecordBuilder record = RecordBuilder::TwoChannels(5000);
  record.TimebaseCode(kMillisecondPerDivision).VoltsCode(1, 3).VoltsCode(2, 1);
  record.Sample(1, 1, -3).Sample(2, 1, 3).Sample(1, 5000, 1).Sample(2, 5000, -25);
  const std::vector<std::string> lines = Lines(Convert(record, ",").table);
  EXPECT_EQ(lines[0], "t\tU1\tU2");
  EXPECT_EQ(lines[1], "s\tmV\tmV");
  EXPECT_EQ(lines[2], "2E-6\t-2,4\t0,6");
  EXPECT_EQ(lines[3], "4E-6\t0\t0");
  EXPECT_EQ(lines[5001], "0,01\t0,8\t-5");
}

TEST(SampleByteTrace, FirstChannelBytesAndPositions) {
  RecordBuilder record = RecordBuilder::OneChannel(2);
  record.Byte(65, 0x1F).Byte(66, 0x00).Byte(67, 0x80).Byte(68, 0xFF);
  const SampleTexts texts = Convert(record);
  EXPECT_EQ(texts.sampleByteTrace, "\r1 : 00 1F 66\r2 : FF 80 68");

  // L = 66: the first sample's high byte lies beyond the record and reads as 0.
  RecordBuilder cut(66);
  cut.Byte(65, 0xAB);
  EXPECT_EQ(Convert(cut).sampleByteTrace, "\r1 : 00 AB 66");
}

TEST(SampleByteTrace, WholeCountsNeverTakeTheSeparator) {
  RecordBuilder record = RecordBuilder::TwoChannels(6250);
  record.Sample(1, 6250, 0x1234).Sample(2, 6250, 0x5678);
  const std::vector<std::string> entries = Entries(Convert(record, ",").sampleByteTrace);
  ASSERT_EQ(entries.size(), 6250u);
  EXPECT_EQ(entries.back(), "6250 : 12 34 12564");
  for (const std::string& entry : entries) EXPECT_EQ(entry.find(','), std::string::npos);
}

TEST(TimeVoltageTrace, CounterTimesSecondsPerDivision) {
  RecordBuilder record = RecordBuilder::OneChannel(3);
  record.TimebaseCode(kMillisecondPerDivision).VoltsCode(1, 1);
  record.Sample(1, 1, 25).Sample(1, 2, -3);
  EXPECT_EQ(Convert(record).timeVoltageTrace, "\r0.001 : 5\r0.002 : -0.6\r0.003 : 0");
  EXPECT_EQ(Convert(record, ",").timeVoltageTrace, "\r0,001 : 5\r0,002 : -0,6\r0,003 : 0");

  // The table's time of the same sample is ((2 × 0.001) × 10) ÷ N instead.
  RecordBuilder five = RecordBuilder::TwoChannels(5000);
  five.TimebaseCode(kMillisecondPerDivision);
  const SampleTexts texts = Convert(five);
  EXPECT_EQ(Entries(texts.timeVoltageTrace)[1], "0.002 : 0");
  EXPECT_EQ(TimeColumn(Lines(texts.table)[3]), "4E-6");
}

TEST(Traces, TwoChannelRecordListsTheFirstChannelOnly) {
  RecordBuilder record = RecordBuilder::TwoChannels(5000);
  record.TimebaseCode(kMillisecondPerDivision).VoltsCode(1, 1).VoltsCode(2, 10);
  record.Sample(1, 1, 25).Sample(2, 1, 7);
  const SampleTexts texts = Convert(record);
  const std::vector<std::string> bytes = Entries(texts.sampleByteTrace);
  const std::vector<std::string> voltages = Entries(texts.timeVoltageTrace);
  ASSERT_EQ(bytes.size(), 5000u);
  ASSERT_EQ(voltages.size(), 5000u);
  EXPECT_EQ(bytes[0], "1 : 00 19 66");
  EXPECT_EQ(voltages[0], "0.001 : 5");
  EXPECT_EQ(Lines(texts.table)[2], "2E-6\t5\t1400");
}

TEST(NoSample, TableKeepsItsHeaderAndTracesAreEmpty) {
  for (std::size_t length : {65u, 64u, 63u, 40u, 0u}) {
    RecordBuilder record(length);
    record.ChannelCharacter('A');
    const SampleTexts texts = Convert(record);
    EXPECT_EQ(texts.table, length > 16 ? "t\tUA\r\ns\tmV\r\n" : "t\tU?\r\ns\tmV\r\n") << length;
    EXPECT_EQ(texts.sampleByteTrace, "") << length;
    EXPECT_EQ(texts.timeVoltageTrace, "") << length;
  }
}

// Two channels of 6250 samples, a ramp up on the first and one down on the second.
RecordBuilder TwoRamps() {
  RecordBuilder record = RecordBuilder::TwoChannels(6250);
  for (std::int32_t i = 1; i <= 6250; ++i) {
    record.Sample(1, i, static_cast<std::int16_t>(i * 7 - 20000));
    record.Sample(2, i, static_cast<std::int16_t>(15000 - i * 5));
  }
  return record;
}

TEST(Separator, CommaAppearsOnlyInsideNumbers) {
  RecordBuilder record = TwoRamps();
  record.TimebaseCode(kMillisecondPerDivision).VoltsCode(1, 3).VoltsCode(2, 1);
  const SampleTexts dot = Convert(record, ".");
  const SampleTexts comma = Convert(record, ",");
  // The same texts, with each "." of the dot texts, and only those, made a ",".
  std::string expected = dot.table;
  std::replace(expected.begin(), expected.end(), '.', ',');
  EXPECT_EQ(comma.table, expected);
  EXPECT_EQ(dot.table.find(','), std::string::npos);
  expected = dot.timeVoltageTrace;
  std::replace(expected.begin(), expected.end(), '.', ',');
  EXPECT_EQ(comma.timeVoltageTrace, expected);
  EXPECT_EQ(comma.sampleByteTrace, dot.sampleByteTrace);
  const std::vector<std::string> lines = Lines(comma.table);
  EXPECT_EQ(lines[2], "1,6E-6\t-15994,4\t2999");
  EXPECT_EQ(lines[1 + 50], "8E-5\t-15720\t2950");
}

// The table is a view of the curve: its names, times and voltages are the curve's, so that what
// else is made of the curve shows the very numbers of the table.
TEST(Conversion, TheTableShowsTheCurvesNamesTimesAndVoltages) {
  RecordBuilder record = TwoRamps();
  record.TimebaseCode(kMillisecondPerDivision).VoltsCode(1, 3).VoltsCode(2, 9);
  const Curve curve = DecodeCurve(WaveformRecord(record.Bytes()));
  ASSERT_EQ(curve.channels.size(), 2u);
  ASSERT_EQ(curve.seconds.size(), 6250u);
  const std::vector<std::string> lines = Lines(ConvertSamples(curve, ",").table);
  ASSERT_EQ(lines.size(), 6252u);
  EXPECT_EQ(lines[0], "t\t" + curve.channels[0].name + "\t" + curve.channels[1].name);
  for (std::size_t at = 0; at < 6250; ++at) {
    ASSERT_EQ(lines[2 + at], FormatNumber(curve.seconds[at], ",") + "\t" +
                                 FormatNumber(curve.channels[0].millivolts[at], ",") + "\t" +
                                 FormatNumber(curve.channels[1].millivolts[at], ","))
        << at;
  }
}

// The plain reference conversion writes the same texts: for every 16-bit sample value under each
// volts code, for every timebase code, for both layouts of two channels and with both separators.
TEST(Conversion, WritesWhatThePlainReferenceWrites) {
  // Sample i holds i × 40503 modulo 65536: each value once, and each low byte under every high
  // byte. N = 2^16 makes some times fall exactly halfway between two 15-digit values.
  RecordBuilder every = RecordBuilder::OneChannel(65536);
  for (std::int32_t i = 1; i <= 65536; ++i) {
    every.Sample(1, i, static_cast<std::int16_t>(static_cast<std::uint32_t>(i) * 40503u));
  }
  for (std::uint16_t volts = 1; volts <= 10; ++volts) {
    every.VoltsCode(1, volts).TimebaseCode(static_cast<std::uint16_t>(3 * volts));
    EXPECT_EQ(DifferenceFromReference(every, volts % 2 == 0 ? "." : ","), "") << volts;
  }

  // The second channel's volts code lies outside its table: every voltage is 0, never -0.
  std::vector<RecordBuilder> layouts;
  for (std::int32_t n : {5000, 6250}) {
    RecordBuilder& two = layouts.emplace_back(RecordBuilder::TwoChannels(n));
    two.VoltsCode(1, 7).VoltsCode(2, 0);
    for (std::int32_t i = 1; i <= n; ++i) {
      two.Sample(1, i, static_cast<std::int16_t>(i * 97))
          .Sample(2, i, static_cast<std::int16_t>(-i));
    }
  }
  for (std::uint16_t timebase = 0; timebase <= 32; ++timebase) {
    RecordBuilder& two = layouts[timebase % 2];
    two.TimebaseCode(timebase);
    EXPECT_EQ(DifferenceFromReference(two, timebase % 4 < 2 ? "," : "."), "") << timebase;
  }
}

}  // namespace
}  // namespace talvorne
