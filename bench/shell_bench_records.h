// The records the shell benchmarks convert and draw: the usual two-channel record, the longest
// one the window takes and the largest record the reply header can announce.
#pragma once

#include <cstdint>
#include <vector>

namespace talvorne::bench {

// Two channels of 6250 samples: 25116 bytes.
std::vector<std::uint8_t> UsualTwoChannelRecord();
// One channel of 65,536 samples, the most the window takes: 131,137 bytes.
std::vector<std::uint8_t> LongestAcceptedOneChannelRecord();
// One channel of 8,388,575 samples: 16,777,215 bytes.
std::vector<std::uint8_t> LargestOneChannelRecord();

// A record as a benchmark names it on its command line and describes it in its output.
struct RecordChoice {
  const char* name;
  const char* description;
  std::vector<std::uint8_t> (*make)();
};

}  // namespace talvorne::bench
