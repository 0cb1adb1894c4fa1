#include "decoding/scale_tables.h"

#include <array>

namespace talvorne {
namespace {

// 1, 2.5 and 5 per decade, from 5 ns to 100 s.
constexpr std::array<double, 32> kSecondsPerDivision = {
    5e-9,   1e-8, 2.5e-8, 5e-8,   1e-7, 2.5e-7, 5e-7,   1e-6,  2.5e-6, 5e-6,  1e-5,
    2.5e-5, 5e-5, 1e-4,   2.5e-4, 5e-4, 0.001,  0.0025, 0.005, 0.01,   0.025, 0.05,
    0.1,    0.25, 0.5,    1,      2.5,  5,      10,     25,    50,     100};

// Index 0 is volts code 1.
constexpr std::array<double, 10> kMillivoltsPerDivision = {5,   10,  20,   50,   100,
                                                           200, 500, 1000, 2000, 5000};
constexpr std::array<double, 10> kMillivoltsPerSampleUnit = {0.2, 0.4, 0.8, 2,  4,
                                                             8,   20,  40,  80, 200};

template <std::size_t Size>
double Lookup(const std::array<double, Size>& table, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= Size) return 0.0;
  return table[static_cast<std::size_t>(index)];
}

}  // namespace

double BaseDeTemps(std::int32_t code) {
  return Lookup(kSecondsPerDivision, code);
}

double FacteurTension(std::int32_t code) {
  if (code < 1) return 0.0;
  return Lookup(kMillivoltsPerSampleUnit, code - 1);
}

double CalibreTension(std::int32_t code) {
  if (code < 1) return 0.0;
  return Lookup(kMillivoltsPerDivision, code - 1);
}

}  // namespace talvorne
