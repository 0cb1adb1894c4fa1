#include "decoding/pixel_columns.h"

#include <cstdint>

namespace talvorne {

std::vector<PixelColumn> PixelColumns(std::span<const double> values, int columnCount) {
  std::vector<PixelColumn> columns;
  if (columnCount <= 0) return columns;
  const auto width = static_cast<std::uint64_t>(columnCount);
  const std::uint64_t count = values.size();
  columns.reserve(static_cast<std::size_t>(width));
  for (std::uint64_t c = 0; c < width; ++c) {
    PixelColumn column;
    column.begin = static_cast<std::size_t>(c * count / width);
    column.end = static_cast<std::size_t>((c + 1) * count / width);
    if (column.begin < column.end) {
      std::size_t lowest = column.begin, highest = column.begin;
      for (std::size_t i = column.begin + 1; i < column.end; ++i) {
        if (values[i] < values[lowest]) lowest = i;
        if (values[i] > values[highest]) highest = i;
      }
      column.minimum = values[lowest];
      column.maximum = values[highest];
      column.minimumFirst = lowest <= highest;
    }
    columns.push_back(column);
  }
  return columns;
}

}  // namespace talvorne
