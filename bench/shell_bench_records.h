// The records the shell benchmark converts: the usual two-channel record and the largest record
// the reply header can announce.
#pragma once

#include <cstdint>
#include <vector>

namespace talvorne::bench {

// Two channels of 6250 samples: 25116 bytes.
std::vector<std::uint8_t> UsualTwoChannelRecord();
// One channel of 8,388,575 samples: 16,777,215 bytes.
std::vector<std::uint8_t> LargestOneChannelRecord();

}  // namespace talvorne::bench
