// A long series drawn in a few pixel columns without losing a peak: each column keeps the lowest
// and the highest of the samples that fall in it.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace talvorne {

struct PixelColumn {
  std::size_t begin = 0, end = 0;   // the samples [begin, end) that fall in the column
  double minimum = 0, maximum = 0;  // theirs; 0 for a column that no sample falls in
  bool minimumFirst = true;         // the minimum comes before the maximum in the series
};

// The values spread evenly over the columns: column c holds the samples from c N / W to
// (c + 1) N / W, each rounded down, so that every sample falls in exactly one column, in order.
// With fewer samples than columns some columns hold none.
std::vector<PixelColumn> PixelColumns(std::span<const double> values, int columnCount);

}  // namespace talvorne
