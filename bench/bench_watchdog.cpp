#include "bench/bench_watchdog.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "bench/process_memory.h"

namespace talvorne::bench {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kSamplePeriod = std::chrono::milliseconds(100);
constexpr int kSamplesPerProgressLine = 100;  // one line every 10 s

}  // namespace

Watchdog::Watchdog(double secondsBudget, std::uint64_t memoryBudgetBytes)
    : secondsBudget_(secondsBudget),
      memoryBudgetBytes_(memoryBudgetBytes),
      thread_([this] { Watch(); }) {}

Watchdog::~Watchdog() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void Watchdog::Enter(const char* stage) {
  stage_ = stage;
}

void Watchdog::Watch() {
  const auto start = Clock::now();
  std::unique_lock lock(mutex_);
  for (int sample = 1; !wake_.wait_for(lock, kSamplePeriod, [this] { return stopping_; });
       ++sample) {
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    Sample(elapsed);
    if (sample % kSamplesPerProgressLine == 0) {
      const ProcessMemory memory = CurrentProcessMemory();
      std::printf("    ... %.0f s, in %s: working set %.1f MiB, pagefile usage %.1f MiB\n", elapsed,
                  stage_.load(), Mebibytes(memory.workingSet), Mebibytes(memory.pagefileUsage));
      std::fflush(stdout);
    }
  }
}

void Watchdog::Sample(double elapsedSeconds) {
  const std::uint64_t usage = CurrentProcessMemory().pagefileUsage;
  peakPagefileUsage_ = std::max(peakPagefileUsage_.load(), usage);
  if (usage > memoryBudgetBytes_) {
    Abandon(kMemoryBudgetExceeded, "memory budget exceeded", elapsedSeconds);
  }
  if (elapsedSeconds > secondsBudget_) {
    Abandon(kTimeBudgetExceeded, "time budget exceeded", elapsedSeconds);
  }
}

void Watchdog::Abandon(unsigned exitCode, const char* reason, double elapsedSeconds) {
  std::printf("  ABANDONED: %s after %.1f s, in %s (budgets: %.0f s, %.0f MiB)\n", reason,
              elapsedSeconds, stage_.load(), secondsBudget_, Mebibytes(memoryBudgetBytes_));
  PrintPeakMemory("the abandoned stage", peakPagefileUsage_);
  // The main thread may hold any lock inside the control it is filling: end without cleaning up.
  TerminateProcess(GetCurrentProcess(), exitCode);
  for (;;) Sleep(INFINITE);
}

}  // namespace talvorne::bench
