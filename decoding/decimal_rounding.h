// A positive double rounded to 15 significant decimal digits, from its exact binary value: a 16th
// digit of 5 or more rounds up, so a value exactly halfway between two candidates rounds away
// from zero (printf and std::to_chars round such ties to even instead).
#pragma once

#include <cstdint>
#include <optional>

namespace talvorne {

// value = digits × 10^(exponent - 14), with digits in [10^14, 10^15): exponent is the decimal
// exponent of the first digit, as in 1.23E4.
struct FifteenDigits {
  std::uint64_t digits;
  int exponent;

  bool operator==(const FifteenDigits&) const = default;
};

// magnitude must be finite and greater than zero.
FifteenDigits RoundToFifteenDigits(double magnitude);

// The fast way, exact integer arithmetic on the binary mantissa, for magnitudes from about 1e-13
// to 1e15 (every time and voltage of a real record); nothing outside that range.
std::optional<FifteenDigits> RoundByScaling(double magnitude);

// The slow way for every other magnitude: the full decimal expansion of the double, then the
// 16th digit decides.
FifteenDigits RoundByFullExpansion(double magnitude);

}  // namespace talvorne
