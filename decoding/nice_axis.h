// An axis marked at round values by Heckbert's "nice numbers" (Graphics Gems, 1990): the step
// between ticks is 1, 2 or 5 times a power of ten, and the axis runs from the tick at or below
// the lowest value to the tick at or above the highest, so that both ends are ticks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvorne {

struct AxisTick {
  double value = 0;
  std::string text;  // written as the table writes its numbers
};

struct NiceAxis {
  double low = 0, high = 0;     // the axis's ends, its first and last ticks
  double step = 0;              // between two ticks
  std::vector<AxisTick> ticks;  // from low to high
};

// An axis over the values from lowest to highest with about wantedTicks ticks (2 to 100). A range
// of no width, as one sample's time or samples all equal make, is widened by the power of ten of
// its value's magnitude on either side (by 1 around 0). Values are first brought within
// ±1E300, and those nearer 0 than 1E-300 count as 0, so that every axis has finite ends and a
// bounded number of ticks.
NiceAxis MakeNiceAxis(double lowest, double highest, int wantedTicks,
                      std::string_view decimalSeparator);

}  // namespace talvorne
