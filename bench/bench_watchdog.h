// Keeps a benchmark process within its time and memory budgets while its main thread may be stuck
// in one long call: samples the memory, prints progress, and ends the process with a report when
// a budget runs out.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace talvorne::bench {

// Exit codes of a process that the watchdog ended.
inline constexpr unsigned kTimeBudgetExceeded = 2;
inline constexpr unsigned kMemoryBudgetExceeded = 3;

class Watchdog {
 public:
  Watchdog(double secondsBudget, std::uint64_t memoryBudgetBytes);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  // Names the stage the main thread is entering, for the progress lines and the final report.
  void Enter(const char* stage);
  // The highest pagefile (private) usage seen by any sample so far.
  std::uint64_t PeakPagefileUsage() const { return peakPagefileUsage_; }

 private:
  void Watch();
  void Sample(double elapsedSeconds);
  [[noreturn]] void Abandon(unsigned exitCode, const char* reason, double elapsedSeconds);

  const double secondsBudget_;
  const std::uint64_t memoryBudgetBytes_;
  std::atomic<const char*> stage_{"start"};
  std::atomic<std::uint64_t> peakPagefileUsage_{0};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace talvorne::bench
