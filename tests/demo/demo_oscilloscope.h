// The oscilloscope of the demonstration run: one instrument on one bus whose current waveform
// holds two channels at 1 ms per division, a sine on channel 1 and a square wave on channel 2.
// Every start command gets the same waveform, so "Récupération" can be pressed again.
#pragma once

#include <cstdint>

#include "tests/support/fake_usb_scenario.h"

namespace talvorne::demo {

inline constexpr std::int32_t kSamplesPerChannel = 5000;

testing::FakeUsbScenario DemoOscilloscope();

}  // namespace talvorne::demo
