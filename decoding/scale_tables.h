// The oscilloscope's timebase and volts codes turned into physical scales.
#pragma once

#include <cstdint>

namespace talvorne {

// Seconds per division for a timebase code; 0.0 for a code the instrument never sends.
double BaseDeTemps(std::int32_t code);

// Millivolts per sample unit for a volts code (25 sample units make one division); 0.0
// outside 1..10.
double FacteurTension(std::int32_t code);

// Millivolts per division for a volts code; 0.0 outside 1..10.
double CalibreTension(std::int32_t code);

}  // namespace talvorne
