#include "decoding/nice_axis.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "decoding/number_format.h"

namespace talvorne {
namespace {

constexpr double kLargest = 1e300;
constexpr double kSmallest = 1e-300;
// Far more than any wanted count: a bound that rounding errors cannot pass.
constexpr int kMostTicks = 250;

// mantissa × 10^exponent, the mantissa 1, 2 or 5.
struct RoundNumber {
  int mantissa = 1;
  int exponent = 0;

  // k steps of this size; exact for the usual steps, where 10^-exponent is an exact double.
  double Times(double k) const {
    const double units = k * mantissa;
    if (exponent < 0 && exponent >= -22) return units / std::pow(10.0, -exponent);
    return units * std::pow(10.0, exponent);
  }
};

double Bounded(double value) {
  if (std::isnan(value) || std::fabs(value) < kSmallest) return 0;
  return std::clamp(value, -kLargest, kLargest);
}

// Heckbert's nicenum: the round number nearest to x > 0 (rounded), or the one at or above it.
RoundNumber Nice(double x, bool rounded) {
  int exponent = static_cast<int>(std::floor(std::log10(x)));
  const double fraction = x / std::pow(10.0, exponent);
  int mantissa = 10;
  if (rounded) {
    mantissa = fraction < 1.5 ? 1 : fraction < 3 ? 2 : fraction < 7 ? 5 : 10;
  } else {
    mantissa = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
  }
  if (mantissa == 10) {
    mantissa = 1;
    ++exponent;
  }
  return {mantissa, exponent};
}

// The whole number of steps at or below (at or above, when up) the quotient, which a rounding error
// of the division does not move past a tick it lies on.
double WholeSteps(double quotient, bool up) {
  const double nearest = std::round(quotient);
  if (std::fabs(quotient - nearest) < 1e-9 * std::max(1.0, std::fabs(quotient))) return nearest;
  return up ? std::ceil(quotient) : std::floor(quotient);
}

}  // namespace

NiceAxis MakeNiceAxis(double lowest, double highest, int wantedTicks,
                      std::string_view decimalSeparator) {
  lowest = Bounded(lowest);
  highest = Bounded(highest);
  if (lowest > highest) std::swap(lowest, highest);
  if (lowest == highest) {
    const double widening =
        lowest == 0 ? 1 : std::pow(10.0, std::floor(std::log10(std::fabs(lowest))));
    lowest -= widening;
    highest += widening;
  }
  wantedTicks = std::clamp(wantedTicks, 2, 100);

  const RoundNumber range = Nice(highest - lowest, false);
  // The range's mantissa over the intervals, times its power of ten: no overflow near the limits.
  const double roughStep = range.mantissa / static_cast<double>(wantedTicks - 1);
  RoundNumber step = Nice(roughStep, true);
  step.exponent += range.exponent;

  NiceAxis axis;
  axis.step = step.Times(1);
  const double first = WholeSteps(lowest / axis.step, false);
  const double last = WholeSteps(highest / axis.step, true);
  // Counted, not stepped through: beyond 2^53 steps from 0, adding one step to a double may not
  // change it.
  const double count = std::min(last - first + 1, static_cast<double>(kMostTicks));
  for (double i = 0; i < count; ++i) {
    const double value = step.Times(first + i);
    axis.ticks.push_back({value, FormatNumber(value, decimalSeparator)});
  }
  axis.low = axis.ticks.front().value;
  axis.high = axis.ticks.back().value;
  return axis;
}

}  // namespace talvorne
