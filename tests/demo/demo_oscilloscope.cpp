#include "tests/demo/demo_oscilloscope.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "tests/support/record_builder.h"

namespace talvorne::demo {
namespace {

using testing::RecordBuilder;

constexpr std::uint16_t kTimebase1msPerDivision = 16;
constexpr std::uint16_t kVolts200mVPerDivision = 6;
constexpr std::uint16_t kVolts500mVPerDivision = 7;
constexpr double kSampleUnitsPerDivision = 25;
constexpr double kDivisionsOnScreen = 10;

// A 200 Hz sine of 600 mV amplitude: two periods on screen, 3 divisions high at 200 mV/div.
std::int16_t Sine(double division) {
  constexpr double kPeriodInDivisions = 5;
  return static_cast<std::int16_t>(
      std::lround(3 * kSampleUnitsPerDivision *
                  std::sin(2 * std::numbers::pi * division / kPeriodInDivisions)));
}

// A 500 Hz square wave between -1000 and +1000 mV: five periods, 2 divisions at 500 mV/div.
std::int16_t Square(double division) {
  constexpr double kPeriodInDivisions = 2;
  const bool high = std::fmod(division, kPeriodInDivisions) < kPeriodInDivisions / 2;
  return static_cast<std::int16_t>((high ? 2 : -2) * kSampleUnitsPerDivision);
}

std::vector<std::uint8_t> Record() {
  RecordBuilder record = RecordBuilder::TwoChannels(kSamplesPerChannel);
  record.ChannelCharacter('1')
      .TimebaseCode(kTimebase1msPerDivision)
      .VoltsCode(1, kVolts200mVPerDivision)
      .VoltsCode(2, kVolts500mVPerDivision);
  for (std::int32_t i = 1; i <= kSamplesPerChannel; ++i) {
    const double division = kDivisionsOnScreen * i / kSamplesPerChannel;
    record.Sample(1, i, Sine(division)).Sample(2, i, Square(division));
  }
  return record.Bytes();
}

}  // namespace

testing::FakeUsbScenario DemoOscilloscope() {
  return testing::OscilloscopeHolding(Record());
}

}  // namespace talvorne::demo
