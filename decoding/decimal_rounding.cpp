#include "decoding/decimal_rounding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <system_error>

namespace talvorne {
namespace {

constexpr std::uint64_t kSmallestFifteenDigits = 100'000'000'000'000;  // 10^14
constexpr std::uint64_t kPastFifteenDigits = 1'000'000'000'000'000;    // 10^15

// 5^k fits 63 bits up to k = 27, so that mantissa × 5^k fits 116 bits.
constexpr int kLargestScale = 27;

constexpr auto kPowersOfFive = [] {
  std::array<std::uint64_t, kLargestScale + 1> powers{};
  powers[0] = 1;
  for (std::size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * 5;
  return powers;
}();

struct Unsigned128 {
  std::uint64_t high;
  std::uint64_t low;
};

Unsigned128 Multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t aLow = a & 0xFFFF'FFFF, aHigh = a >> 32;
  const std::uint64_t bLow = b & 0xFFFF'FFFF, bHigh = b >> 32;
  const std::uint64_t lowLow = aLow * bLow;
  const std::uint64_t highLow = aHigh * bLow;
  const std::uint64_t lowHigh = aLow * bHigh;
  const std::uint64_t middle = (lowLow >> 32) + (highLow & 0xFFFF'FFFF) + (lowHigh & 0xFFFF'FFFF);
  return {aHigh * bHigh + (highLow >> 32) + (lowHigh >> 32) + (middle >> 32),
          (middle << 32) | (lowLow & 0xFFFF'FFFF)};
}

// floor(value / 2^shift) for shift > 0, or nothing when it does not fit 64 bits.
std::optional<std::uint64_t> ShiftRight(Unsigned128 value, int shift) {
  if (shift >= 64) return shift >= 128 ? 0 : value.high >> (shift - 64);
  if ((value.high >> shift) != 0) return std::nullopt;
  return (value.low >> shift) | (value.high << (64 - shift));
}

bool BitIsSet(Unsigned128 value, int bit) {
  if (bit >= 128) return false;
  return bit >= 64 ? ((value.high >> (bit - 64)) & 1) != 0 : ((value.low >> bit) & 1) != 0;
}

FifteenDigits CarryIntoNextDigit(FifteenDigits rounded) {
  if (rounded.digits == kPastFifteenDigits) return {kSmallestFifteenDigits, rounded.exponent + 1};
  return rounded;
}

}  // namespace

std::optional<FifteenDigits> RoundByScaling(double magnitude) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
  if (biasedExponent == 0 || biasedExponent == 0x7FF) return std::nullopt;
  // magnitude = mantissa × 2^binaryExponent exactly.
  const std::uint64_t mantissa = (bits & 0xF'FFFF'FFFF'FFFF) | (std::uint64_t{1} << 52);
  const int binaryExponent = biasedExponent - 1075;

  // A first guess at the decimal exponent, about floor(log2 × log10(2)), corrected below; it
  // starts within the scales that fit so that only a true exponent outside them declines.
  int exponent = std::max(((binaryExponent + 52) * 78913) >> 18, 14 - kLargestScale);
  for (;;) {
    // The magnitude × 10^scale = mantissa × 5^scale × 2^(binaryExponent + scale) must lie in
    // [10^14, 10^15); it is rounded there, halfway up.
    const int scale = 14 - exponent;
    if (scale < 0 || scale > kLargestScale) return std::nullopt;
    const Unsigned128 product = Multiply(mantissa, kPowersOfFive[static_cast<std::size_t>(scale)]);
    const int shift = -(binaryExponent + scale);
    std::optional<std::uint64_t> whole;
    bool roundUp = false;
    if (shift <= 0) {
      // Already a whole number: it has no fraction to round.
      const int left = -shift;
      if (product.high == 0 && left < 64 && (left == 0 || (product.low >> (64 - left)) == 0)) {
        whole = product.low << left;
      }
    } else {
      whole = ShiftRight(product, shift);
      roundUp = BitIsSet(product, shift - 1);
    }
    if (!whole || *whole >= kPastFifteenDigits) {
      ++exponent;
    } else if (*whole < kSmallestFifteenDigits) {
      --exponent;
    } else {
      return CarryIntoNextDigit({*whole + (roundUp ? 1 : 0), exponent});
    }
  }
}

FifteenDigits RoundByFullExpansion(double magnitude) {
  // No double has more than 767 significant digits, so this precision gives them all exactly.
  constexpr int kAllDigits = 767;
  char text[kAllDigits + 16];
  const std::to_chars_result written =
      std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, kAllDigits);
  // text holds d.ddd…de±x: the first digit, the point, then the others.
  std::uint64_t digits = static_cast<std::uint64_t>(text[0] - '0');
  for (int i = 2; i <= 15; ++i) digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
  const char* exponentText = text + kAllDigits + 3;
  if (*exponentText == '+') ++exponentText;
  int exponent = 0;
  std::from_chars(exponentText, written.ptr, exponent);
  if (text[16] >= '5') ++digits;
  return CarryIntoNextDigit({digits, exponent});
}

FifteenDigits RoundToFifteenDigits(double magnitude) {
  if (const std::optional<FifteenDigits> fast = RoundByScaling(magnitude)) return *fast;
  return RoundByFullExpansion(magnitude);
}

}  // namespace talvorne
