#include "bench/process_memory.h"

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>

namespace talvorne::bench {

ProcessMemory CurrentProcessMemory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return {counters.WorkingSetSize, counters.PeakWorkingSetSize, counters.PagefileUsage,
          counters.PeakPagefileUsage};
}

void PrintPeakMemory(const char* after, std::uint64_t sampledPeakPagefileUsage) {
  const ProcessMemory memory = CurrentProcessMemory();
  std::printf(
      "  peak memory after %s: PeakWorkingSetSize %.1f MiB, PeakPagefileUsage %.1f MiB "
      "(highest sampled pagefile usage %.1f MiB)\n",
      after, Mebibytes(memory.peakWorkingSet), Mebibytes(memory.peakPagefileUsage),
      Mebibytes(std::max(sampledPeakPagefileUsage, memory.pagefileUsage)));
  std::fflush(stdout);
}

double Mebibytes(std::uint64_t bytes) {
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

}  // namespace talvorne::bench
