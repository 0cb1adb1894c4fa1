// A waveform record decoded once: what it holds in the teacher's units. The table, the traces, the
// labels and the plot are all made from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "decoding/waveform_record.h"

namespace talvorne {

struct CurveChannel {
  // The table header's name of the channel's column: "U1" and "U2" in a two-channel record, "U"
  // and the channel character in a one-channel record.
  std::string name;
  double millivoltsPerDivision = 0;  // the amplitude, from the volts code
  double millivoltsPerUnit = 0;      // the factor of every sample
  std::vector<std::int16_t> samples;  // samples 1 to N, as the record has them
  std::vector<double> millivolts;     // their voltages, one multiplication each
  // Where sample 1's low byte lies in the record; sample i's is 2 (i - 1) further on.
  std::size_t firstSamplePosition = 0;
};

struct Curve {
  std::int32_t sampleCount = 0;   // N, as the record's length announces it; <= 0 means no sample
  double secondsPerDivision = 0;  // the sweep, from the timebase code
  std::vector<double> seconds;    // the time of samples 1 to N
  std::vector<CurveChannel> channels;  // one or two
  std::string channelCharacter;  // the first channel's character, as text

  bool HasSamples() const { return sampleCount > 0; }
};

// Every sample of the record, once. A caller that refuses records above some size checks
// record.SampleCount() first: decoding allocates for every sample announced.
Curve DecodeCurve(const WaveformRecord& record);

}  // namespace talvorne
