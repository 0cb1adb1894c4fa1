#include "decoding/number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace talvorne {
namespace {

std::string Dot(double value) {
  return FormatNumber(value, ".");
}

TEST(NumberFormat, DataModelExamples) {
  EXPECT_EQ(Dot(0.001), "0.001");
  EXPECT_EQ(Dot(1e-4), "0.0001");
  EXPECT_EQ(Dot(9.8e-5), "9.8E-5");
  EXPECT_EQ(Dot(2.5e-8), "2.5E-8");
  EXPECT_EQ(Dot(5e-9), "5E-9");
  EXPECT_EQ(Dot(100), "100");
  EXPECT_EQ(Dot(1e15), "1E15");
  EXPECT_EQ(Dot(123456789012345), "123456789012345");
  EXPECT_EQ(Dot(0.6000000000000001), "0.6");
  EXPECT_EQ(Dot(-2.4000000000000004), "-2.4");
}

TEST(NumberFormat, ZeroAndSign) {
  EXPECT_EQ(Dot(0.0), "0");
  EXPECT_EQ(Dot(-0.0), "0");
  EXPECT_EQ(Dot(-5), "-5");
  EXPECT_EQ(Dot(-6553600), "-6553600");
  EXPECT_EQ(Dot(-1e-20), "-1E-20");
  EXPECT_EQ(Dot(-1234.5), "-1234.5");
}

TEST(NumberFormat, FixedFromExponentMinus3To15) {
  // E = -3 is the smallest fixed exponent: 0.000d…; E = -4 is written with "E".
  EXPECT_EQ(Dot(0.00012345), "0.00012345");
  EXPECT_EQ(Dot(0.000999999999999999), "0.000999999999999999");
  EXPECT_EQ(Dot(0.0000999999999999999), "9.99999999999999E-5");
  EXPECT_EQ(Dot(0.00001), "1E-5");
  EXPECT_EQ(Dot(0.5), "0.5");
  EXPECT_EQ(Dot(1), "1");
  EXPECT_EQ(Dot(12.5), "12.5");
  // E = 15: whole numbers of 15 digits, completed with zeros when fewer digits remain.
  EXPECT_EQ(Dot(1e14), "100000000000000");
  EXPECT_EQ(Dot(999999999999999), "999999999999999");
  EXPECT_EQ(Dot(123456789012345.6), "123456789012346");
  EXPECT_EQ(Dot(1234567890123456.0), "1.23456789012346E15");
  EXPECT_EQ(Dot(2e15), "2E15");
  EXPECT_EQ(Dot(1e16), "1E16");
}

TEST(NumberFormat, SixteenthDigitRoundsHalfUp) {
  EXPECT_EQ(Dot(0.1 + 0.2), "0.3");
  EXPECT_EQ(Dot(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(Dot(2.0 / 3), "0.666666666666667");
  EXPECT_EQ(Dot(-2.0 / 3), "-0.666666666666667");
  EXPECT_EQ(Dot(3.0000000000000006e-11), "3E-11");
}

TEST(NumberFormat, CarriesAcrossTheNotationBoundaries) {
  // The rounded value, not the double, decides the exponent.
  EXPECT_EQ(Dot(9.999999999999999e14), "1E15");
  EXPECT_EQ(Dot(999999999999999.5), "1E15");
  EXPECT_EQ(Dot(9.9999999999999995e-5), "0.0001");
  EXPECT_EQ(Dot(9.999999999999999e-5), "0.0001");
  EXPECT_EQ(Dot(99999.99999999999), "100000");
  EXPECT_EQ(Dot(1e23), "1E23");  // the double lies below 10^23
}

TEST(NumberFormat, ExactTiesRoundAwayFromZero) {
  // Values whose exact binary value ends on a 16th digit of 5; an even 15th digit shows the
  // difference from rounding ties to even.
  EXPECT_EQ(Dot(1234567890123455.0), "1.23456789012346E15");
  EXPECT_EQ(Dot(1234567890123445.0), "1.23456789012345E15");
  EXPECT_EQ(Dot(-1234567890123445.0), "-1.23456789012345E15");
  EXPECT_EQ(Dot(123456789012344.5), "123456789012345");
  EXPECT_EQ(Dot(12345678901234.25), "12345678901234.3");
  EXPECT_EQ(Dot(1234567890124.125), "1234567890124.13");
  EXPECT_EQ(Dot(std::ldexp(1.0, -22)), "2.38418579101563E-7");  // 2.384185791015625E-7
  // Just below a tie rounds down.
  EXPECT_EQ(Dot(std::nextafter(12345678901234.25, 0.0)), "12345678901234.2");
}

TEST(NumberFormat, ExtremeExponents) {
  EXPECT_EQ(Dot(1e308), "1E308");
  EXPECT_EQ(Dot(DBL_MAX), "1.79769313486232E308");
  EXPECT_EQ(Dot(-DBL_MAX), "-1.79769313486232E308");
  EXPECT_EQ(Dot(DBL_MIN), "2.2250738585072E-308");
  EXPECT_EQ(Dot(5e-324), "4.94065645841247E-324");
  EXPECT_EQ(Dot(1e-300), "1E-300");
  EXPECT_EQ(Dot(1e22), "1E22");
  EXPECT_EQ(Dot(1.5e-13), "1.5E-13");
  EXPECT_EQ(Dot(-2.2250738585072014e-307 * 1.23456789012345).size(), MaxNumberLength("."));
}

TEST(NumberFormat, SeparatorOnlyBetweenWholeAndFractionalDigits) {
  EXPECT_EQ(FormatNumber(0.0001, ","), "0,0001");
  EXPECT_EQ(FormatNumber(9.8e-5, ","), "9,8E-5");
  EXPECT_EQ(FormatNumber(2e-6, ","), "2E-6");
  EXPECT_EQ(FormatNumber(-2.4000000000000004, ","), "-2,4");
  EXPECT_EQ(FormatNumber(123456789012345, ","), "123456789012345");
  EXPECT_EQ(FormatNumber(1234567.25, ","), "1234567,25");
  // A separator of several UTF-8 bytes (U+066B, the Arabic decimal separator).
  EXPECT_EQ(FormatNumber(1.5e-7, "\xD9\xAB"),
            "1\xD9\xAB"
            "5E-7");
  EXPECT_EQ(FormatNumber(0.25, "\xD9\xAB"),
            "0\xD9\xAB"
            "25");
}

TEST(NumberFormat, NotANumberAndInfinityAreWrittenPlainly) {
  EXPECT_EQ(Dot(std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(Dot(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(Dot(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(NumberFormat, AppendKeepsWhatIsThere) {
  std::string text = "t=";
  AppendNumber(text, 2.5e-8, ",");
  EXPECT_EQ(text, "t=2,5E-8");
}

}  // namespace
}  // namespace talvorne
