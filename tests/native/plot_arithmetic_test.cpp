// The curve's plot arithmetic: round ticks for its axes and the extremes of each pixel column.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "decoding/nice_axis.h"
#include "decoding/pixel_columns.h"

namespace talvorne {
namespace {

std::vector<std::string> Texts(const NiceAxis& axis) {
  std::vector<std::string> texts;
  for (const AxisTick& tick : axis.ticks) texts.push_back(tick.text);
  return texts;
}

// The step is 1, 2 or 5 times a power of ten, the ticks are its consecutive multiples, and the
// axis covers the values from one tick to the next-but-none.
::testing::AssertionResult IsNice(const NiceAxis& axis, double lowest, double highest) {
  const double power = std::pow(10.0, std::floor(std::log10(axis.step) + 1e-9));
  const double mantissa = axis.step / power;
  if (std::fabs(mantissa - 1) > 1e-9 && std::fabs(mantissa - 2) > 1e-9 &&
      std::fabs(mantissa - 5) > 1e-9) {
    return ::testing::AssertionFailure() << "step " << axis.step;
  }
  if (axis.ticks.size() < 2 || axis.low != axis.ticks.front().value ||
      axis.high != axis.ticks.back().value || axis.low > lowest || axis.high < highest ||
      axis.low + axis.step <= lowest || axis.high - axis.step >= highest) {
    return ::testing::AssertionFailure() << "axis " << axis.low << " to " << axis.high;
  }
  for (std::size_t i = 0; i < axis.ticks.size(); ++i) {
    const double expected = axis.low + static_cast<double>(i) * axis.step;
    if (std::fabs(axis.ticks[i].value - expected) > 1e-9 * axis.step) {
      return ::testing::AssertionFailure() << "tick " << i << " at " << axis.ticks[i].value;
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(NiceAxis, StepsOfOneTwoOrFiveTimesAPowerOfTenWrittenAsTheTableWritesNumbers) {
  // Ten divisions of 1 ms, from sample 1 at 2 µs: 0 to 0.01 in steps of 0.002.
  const NiceAxis time = MakeNiceAxis(2e-6, 0.01, 6, ",");
  EXPECT_EQ(time.step, 0.002);
  EXPECT_EQ(Texts(time),
            (std::vector<std::string>{"0", "0,002", "0,004", "0,006", "0,008", "0,01"}));
  EXPECT_EQ(Texts(MakeNiceAxis(2e-6, 0.01, 6, ".")),
            (std::vector<std::string>{"0", "0.002", "0.004", "0.006", "0.008", "0.01"}));
  // Across 0, and below it.
  EXPECT_EQ(Texts(MakeNiceAxis(-6553.6, 6553.4, 5, ",")),
            (std::vector<std::string>{"-10000", "-5000", "0", "5000", "10000"}));
  EXPECT_EQ(Texts(MakeNiceAxis(-5200, -7300, 5, ",")),
            (std::vector<std::string>{"-8000", "-7000", "-6000", "-5000"}));
  // The table's notation for small numbers.
  EXPECT_EQ(Texts(MakeNiceAxis(1.6e-7, 1e-6, 3, ",")),
            (std::vector<std::string>{"0", "5E-7", "1E-6"}));

  std::uint32_t seed = 7;
  const auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<double>(seed >> 8) / (1 << 24);
  };
  for (int i = 0; i < 2000; ++i) {
    const double scale = std::pow(10.0, std::floor(next() * 24) - 12);
    const double a = (next() - 0.5) * scale, b = (next() - 0.5) * scale;
    const int wanted = 2 + static_cast<int>(next() * 10);
    const NiceAxis axis = MakeNiceAxis(a, b, wanted, ".");
    ASSERT_TRUE(IsNice(axis, std::min(a, b), std::max(a, b))) << a << " " << b;
    EXPECT_LE(axis.ticks.size(), static_cast<std::size_t>(3 * wanted)) << a << " " << b;
  }
}

TEST(NiceAxis, OneSamplesTimeOrSamplesAllEqualGetAnAxisAroundTheirValue) {
  EXPECT_EQ(Texts(MakeNiceAxis(0.01, 0.01, 5, ",")),
            (std::vector<std::string>{"0", "0,005", "0,01", "0,015", "0,02"}));
  EXPECT_EQ(Texts(MakeNiceAxis(500, 500, 5, ",")),
            (std::vector<std::string>{"400", "450", "500", "550", "600"}));
  EXPECT_EQ(Texts(MakeNiceAxis(-250, -250, 3, ",")),
            (std::vector<std::string>{"-400", "-300", "-200", "-100"}));
  EXPECT_EQ(Texts(MakeNiceAxis(0, 0, 5, ",")),
            (std::vector<std::string>{"-1", "-0,5", "0", "0,5", "1"}));
}

TEST(NiceAxis, HugeTinyAndMeaninglessValuesStillGiveAFiniteAxis) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const double nan = std::nan("");
  const std::pair<double, double> ranges[] = {
      {-1e308, 1e308}, {-kInfinity, kInfinity}, {1e308, 1e308},  {1e-320, 1e-320}, {nan, nan},
      {nan, 5},        {1e16, 1e16 + 2},        {1e-301, 3e-300}};
  for (const auto& [lowest, highest] : ranges) {
    const NiceAxis axis = MakeNiceAxis(lowest, highest, 5, ".");
    EXPECT_TRUE(std::isfinite(axis.low) && std::isfinite(axis.high) && axis.low < axis.high)
        << lowest << " " << highest;
    EXPECT_GE(axis.ticks.size(), 2u);
    EXPECT_LE(axis.ticks.size(), 250u);
  }
}

TEST(PixelColumns, EveryExtremeOf65536SamplesIsKeptIn1000Columns) {
  std::vector<double> values(65536);
  std::uint32_t noise = 3;
  for (std::size_t i = 0; i < values.size(); ++i) {
    noise = noise * 1664525u + 1013904223u;
    values[i] = 1000 * std::sin(static_cast<double>(i) / 900) + static_cast<double>(noise >> 26);
    // A peak of a single sample, as a glitch gives, every 997 samples.
    if (i % 997 == 500) values[i] = (i % 2 == 0 ? 1 : -1) * 30000.0;
  }
  const std::vector<PixelColumn> columns = PixelColumns(values, 1000);
  ASSERT_EQ(columns.size(), 1000u);
  std::size_t next = 0;
  for (const PixelColumn& column : columns) {
    ASSERT_EQ(column.begin, next);
    ASSERT_GT(column.end, column.begin);
    next = column.end;
    const auto first = values.begin() + static_cast<std::ptrdiff_t>(column.begin);
    const auto last = values.begin() + static_cast<std::ptrdiff_t>(column.end);
    for (auto value = first; value != last; ++value) {
      EXPECT_GE(*value, column.minimum);
      EXPECT_LE(*value, column.maximum);
    }
    const auto lowest = std::find(first, last, column.minimum);
    const auto highest = std::find(first, last, column.maximum);
    ASSERT_NE(lowest, last) << "the minimum is one of the column's samples";
    ASSERT_NE(highest, last) << "the maximum is one of the column's samples";
    EXPECT_EQ(column.minimumFirst, lowest <= highest);
  }
  EXPECT_EQ(next, values.size());
}

TEST(PixelColumns, FewerSamplesThanColumnsFallOneInAColumnInOrder) {
  const std::vector<double> values = {3, -1, 4, 1, -5};
  const std::vector<PixelColumn> columns = PixelColumns(values, 12);
  ASSERT_EQ(columns.size(), 12u);
  std::vector<double> seen;
  std::size_t next = 0;
  for (const PixelColumn& column : columns) {
    EXPECT_EQ(column.begin, next);
    EXPECT_LE(column.end, column.begin + 1);
    if (column.end > column.begin) {
      EXPECT_EQ(column.minimum, column.maximum);
      seen.push_back(column.minimum);
    }
    next = column.end;
  }
  EXPECT_EQ(seen, values);
  EXPECT_TRUE(PixelColumns(values, 0).empty());
}

}  // namespace
}  // namespace talvorne
