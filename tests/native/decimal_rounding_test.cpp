// The fast rounding is checked against digits that the C library prints exactly (glibc prints
// every digit of a double's binary value), rounded by hand: a 16th digit of 5 or more rounds up.
#include "decoding/decimal_rounding.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "decoding/scale_tables.h"
#include "decoding/waveform_record.h"

namespace talvorne {
namespace {

FifteenDigits ExactlyPrintedAndRounded(double magnitude) {
  char text[800];
  std::snprintf(text, sizeof text, "%.767e", magnitude);
  std::uint64_t digits = 0;
  for (int i : {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) {
    digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
  }
  int exponent = std::atoi(std::strchr(text, 'e') + 1);
  if (text[16] >= '5' && ++digits == 1'000'000'000'000'000) {
    digits /= 10;
    ++exponent;
  }
  return {digits, exponent};
}

void ExpectAllWaysAgree(double magnitude) {
  const FifteenDigits expected = ExactlyPrintedAndRounded(magnitude);
  ASSERT_EQ(RoundByFullExpansion(magnitude), expected) << magnitude;
  ASSERT_EQ(RoundToFifteenDigits(magnitude), expected) << magnitude;
  if (const auto fast = RoundByScaling(magnitude)) {
    ASSERT_EQ(*fast, expected) << magnitude;
  }
}

TEST(DecimalRounding, FastWayCoversRecordValuesAndDeclinesTheRest) {
  for (double magnitude : {1e-13, 2e-6, 0.2, 6553600.0, 999999999999999.9}) {
    EXPECT_TRUE(RoundByScaling(magnitude).has_value()) << magnitude;
  }
  for (double magnitude : {1e15, 1e300, 1e-14, 5e-324}) {
    EXPECT_FALSE(RoundByScaling(magnitude).has_value()) << magnitude;
  }
}

TEST(DecimalRounding, TiesCarriesAndPowersOfTen) {
  // Exact ties, each with its neighbours one unit in the last place away.
  for (double tie : {1234567890123455.0, 1234567890123445.0, 123456789012344.5, 12345678901234.25,
                     1234567890124.125, std::ldexp(1.0, -22), 999999999999999.5}) {
    ExpectAllWaysAgree(tie);
    ExpectAllWaysAgree(std::nextafter(tie, 0.0));
    ExpectAllWaysAgree(std::nextafter(tie, INFINITY));
  }
  EXPECT_EQ(RoundToFifteenDigits(1234567890123445.0), (FifteenDigits{123456789012345, 15}));
  EXPECT_EQ(RoundToFifteenDigits(999999999999999.5), (FifteenDigits{100000000000000, 15}));
  // Around every power of ten, where the decimal exponent changes.
  for (int power = -320; power <= 308; ++power) {
    double value = std::pow(10.0, power);
    for (int step = 0; step < 4; ++step) value = std::nextafter(value, 0.0);
    for (int step = 0; step < 8; ++step, value = std::nextafter(value, INFINITY)) {
      if (value > 0) ExpectAllWaysAgree(value);
    }
  }
}

TEST(DecimalRounding, RandomDoublesOverTheWholeRange) {
  std::mt19937_64 random(20240611);
  for (int n = 0; n < 20000; ++n) {
    const double value = std::bit_cast<double>(random() & 0x7FFF'FFFF'FFFF'FFFF);
    if (std::isfinite(value) && value > 0) ExpectAllWaysAgree(value);
  }
}

TEST(DecimalRounding, RandomDoublesWhereTheFastWayApplies) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-13.0, 15.0);
  for (int n = 0; n < 100000; ++n) {
    const double value = std::pow(10.0, exponent(random));
    const auto fast = RoundByScaling(value);
    ASSERT_TRUE(fast.has_value()) << value;
    ASSERT_EQ(*fast, ExactlyPrintedAndRounded(value)) << value;
  }
}

TEST(DecimalRounding, TimesAndVoltagesOfRealRecords) {
  for (std::int32_t code : {0, 7, 13, 16, 22, 31}) {
    const double secondsPerDivision = BaseDeTemps(code);
    for (std::int32_t count : {5000, 6250}) {
      for (std::int32_t i = 1; i <= count; ++i) {
        ExpectAllWaysAgree(SampleTime(i, secondsPerDivision, count));
        ExpectAllWaysAgree(i * secondsPerDivision);
      }
    }
    for (std::int32_t i = 1; i <= 8388575; i += 997) {
      ExpectAllWaysAgree(SampleTime(i, secondsPerDivision, 8388575));
    }
  }
  for (std::int32_t code = 1; code <= 10; ++code) {
    for (std::int32_t sample = 1; sample <= 32768; sample += 7) {
      ExpectAllWaysAgree(Voltage(static_cast<std::int16_t>(-sample), FacteurTension(code)) * -1);
    }
  }
}

}  // namespace
}  // namespace talvorne
