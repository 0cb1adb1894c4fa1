// The memory figures of this process, as Windows reports them, and the highest private usage
// seen by sampling it.
#pragma once

#include <cstdint>

namespace talvorne::bench {

struct ProcessMemory {
  std::uint64_t workingSet = 0;
  std::uint64_t peakWorkingSet = 0;
  std::uint64_t pagefileUsage = 0;
  std::uint64_t peakPagefileUsage = 0;
};

ProcessMemory CurrentProcessMemory();

// Prints the peaks after a stage, with the highest pagefile usage any sample has seen: under Wine
// PeakPagefileUsage may only repeat the current usage.
void PrintPeakMemory(const char* after, std::uint64_t sampledPeakPagefileUsage);

double Mebibytes(std::uint64_t bytes);

}  // namespace talvorne::bench
