// Times the window's fill under Wine on the real path, in freshly made program windows: a record
// handed to ConvertRecord (its 2000 ms pause included) while another thread keeps asking the main
// window for an answer, so that the longest stretch without one shows how long the window stood
// still; the debug panel's boxes when the panel is shown later; and each step of the fill alone.
// The table is read back through "Copier" and compared with the conversion's own, whole.
// Each scenario runs in a process of its own: in one process for all, a scenario's figures
// depended on the ones before it (rich edits up to 80 times slower).
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "bench/bench_watchdog.h"
#include "bench/own_process.h"
#include "bench/shell_bench_records.h"
#include "decoding/curve.h"
#include "decoding/sample_texts.h"
#include "decoding/waveform_record.h"
#include "tests/wine/support/program_windows.h"
#include "win32/text_encoding.h"

namespace talvorne::bench {
namespace {

using testing::ProgramWindows;
using testing::Pump;
using Clock = std::chrono::steady_clock;

constexpr std::string_view kSeparator = ".";
constexpr double kPauseMs = 2000;  // the pause ConvertRecord makes before the table
constexpr DWORD kProbePeriodMs = 5;
// A probe waits for its answer however long the window takes: its answer time is what counts.
constexpr UINT kProbeWaitMs = 600'000;
constexpr auto kBoxWaitCap = std::chrono::seconds(10);
constexpr double kSecondsBudget = 300;
constexpr std::uint64_t kMemoryBudget = 8ull << 30;
constexpr DWORD kChildGraceMs = 60'000;

constexpr RecordChoice kRecords[] = {
    {"usual", "two channels, N = 6250", UsualTwoChannelRecord},
    {"longest", "one channel, N = 65536 (the most the window takes)",
     LongestAcceptedOneChannelRecord},
};

double Ms(Clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

template <typename Work>
double Milliseconds(Work&& work) {
  const auto start = Clock::now();
  work();
  return Ms(Clock::now() - start);
}

// A thread that sends WM_NULL to the main window every few milliseconds, then reads the progress
// bar's position, and notes when each was answered. Both wait for the main thread.
class Probe {
 public:
  struct Answer {
    Clock::time_point at;
    int barPosition;  // -1 for WM_NULL's answer
    bool barShown;
  };

  explicit Probe(const TForm1& form)
      : window_(form.Handle()), bar_(form.ProgressBar1.Handle()), thread_([this] { Run(); }) {}
  // The last probe may be waiting for the main thread: it is answered while the thread ends.
  std::vector<Answer> Stop() {
    stopping_ = true;
    while (!ended_) {
      Pump();
      Sleep(1);
    }
    thread_.join();
    return answers_;
  }

 private:
  void Run() {
    while (!stopping_) {
      DWORD_PTR ignored = 0, position = 0;
      if (SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kProbeWaitMs, &ignored)) {
        answers_.push_back({Clock::now(), -1, false});
      }
      if (SendMessageTimeoutW(bar_, PBM_GETPOS, 0, 0, SMTO_NORMAL, kProbeWaitMs, &position)) {
        const Clock::time_point at = Clock::now();
        answers_.push_back({at, static_cast<int>(position), IsWindowVisible(bar_) != FALSE});
      }
      Sleep(kProbePeriodMs);
    }
    ended_ = true;
  }

  const HWND window_, bar_;
  std::vector<Answer> answers_;  // the probe's own until it has ended
  std::atomic<bool> stopping_{false}, ended_{false};
  std::thread thread_;
};

struct Probed {
  double callMs = 0;
  double longestUnansweredMs = 0;
  double longestFromMs = 0;  // where that stretch began, from the call
  std::size_t barPositionsAfterPause = 0;
};

// Runs work on the main thread under a probe.
template <typename Work>
Probed UnderProbe(const TForm1& form, Work&& work) {
  Probe probe(form);
  const Clock::time_point start = Clock::now();
  work();
  const Clock::time_point end = Clock::now();
  const std::vector<Probe::Answer> answers = probe.Stop();
  Probed result{Ms(end - start)};
  Clock::time_point previous = start;
  std::set<int> positions;
  for (const Probe::Answer& answer : answers) {
    if (answer.at > end) break;
    if (answer.at < start) continue;
    if (Ms(answer.at - previous) > result.longestUnansweredMs) {
      result.longestUnansweredMs = Ms(answer.at - previous);
      result.longestFromMs = Ms(previous - start);
    }
    previous = answer.at;
    if (answer.barShown && Ms(answer.at - start) >= kPauseMs) positions.insert(answer.barPosition);
  }
  if (Ms(end - previous) > result.longestUnansweredMs) {
    result.longestUnansweredMs = Ms(end - previous);
    result.longestFromMs = Ms(previous - start);
  }
  result.barPositionsAfterPause = positions.size();
  return result;
}

// "complete", or the first line where the copy differs from the table.
std::string Compare(const std::wstring& copied, const std::wstring& table) {
  if (copied == table) return "complete";
  std::size_t line = 1, from = 0;  // the table's line holding the first difference, and its start
  for (std::size_t at = 0; at < copied.size() && at < table.size() && copied[at] == table[at];) {
    if (table[at++] == L'\n') ++line, from = at;
  }
  const auto lineAt = [from](const std::wstring& text) {
    return Narrow(
        std::wstring_view(text).substr(from, text.find(L'\r', from) - from).substr(0, 40));
  };
  return "DIFFERS at line " + std::to_string(line) + " (copy " + std::to_string(copied.size()) +
         " characters, table " + std::to_string(table.size()) + "): \"" + lineAt(copied) +
         "\" instead of \"" + lineAt(table) + "\"";
}

bool EndToEnd(const std::vector<std::uint8_t>& record, const SampleTexts& expected, bool panelShown,
              Watchdog& watchdog) {
  ProgramWindows windows(FormatSettings{std::string(kSeparator)});
  TForm1& form = windows.Main();
  if (panelShown) form.On1Click();
  Pump();
  testing::EmptyTheClipboard();
  watchdog.Enter(panelShown ? "end to end, panel shown" : "end to end, panel hidden");
  const Probed call = UnderProbe(form, [&] { form.ConvertRecord(record); });
  Pump();
  // The copy ends every line with CR LF, the last one too, as the conversion's table does.
  form.Copier1Click();
  Pump();
  const std::string readBack = Compare(testing::ClipboardText(), Widen(expected.table));
  std::printf("  end to end, panel %-6s %10.1f ms %10.1f ms (from %6.0f ms) %14zu   %s\n",
              panelShown ? "shown" : "hidden", call.callMs - kPauseMs, call.longestUnansweredMs,
              call.longestFromMs, call.barPositionsAfterPause, readBack.c_str());
  return readBack == "complete";
}

// Polls a box until it holds its text: the time from since, or "NOT" after the cap.
template <typename Read>
std::string TimeUntilHeld(Read&& read, const std::string& want, Clock::time_point since) {
  const Clock::time_point start = Clock::now();
  while (read() != want) {
    if (Clock::now() - start > kBoxWaitCap) return "NOT after 10 s";
    Pump();
    Sleep(10);
  }
  char figure[32];
  std::snprintf(figure, sizeof figure, "%.1f ms", Ms(Clock::now() - since));
  return figure;
}

bool DebugOnLater(const std::vector<std::uint8_t>& record, const SampleTexts& expected,
                  Watchdog& watchdog) {
  ProgramWindows windows(FormatSettings{std::string(kSeparator)});
  TForm1& form = windows.Main();
  watchdog.Enter("Debug > On later: ConvertRecord");
  form.ConvertRecord(record);
  Pump();
  watchdog.Enter("Debug > On later: On1Click");
  const Clock::time_point start = Clock::now();
  const Probed on = UnderProbe(form, [&] { form.On1Click(); });
  const std::string memo = TimeUntilHeld([&] { return form.Memo1.Text(); }, expected.table, start);
  const std::string trace1 =
      TimeUntilHeld([&] { return form.RichEdit1.Text(); }, expected.sampleByteTrace, start);
  const std::string trace3 =
      TimeUntilHeld([&] { return form.RichEdit3.Text(); }, expected.timeVoltageTrace, start);
  std::printf(
      "  Debug > On later: On1Click %.1f ms, longest unanswered %.1f ms; boxes hold their texts "
      "after: Memo1 %s, RichEdit1 %s, RichEdit3 %s\n",
      on.callMs, on.longestUnansweredMs, memo.c_str(), trace1.c_str(), trace3.c_str());
  return (memo + trace1 + trace3).find("NOT") == std::string::npos;
}

bool EachStepAlone(const std::vector<std::uint8_t>& record, bool panelShown, Watchdog& watchdog) {
  ProgramWindows windows(FormatSettings{std::string(kSeparator)});
  TForm1& form = windows.Main();
  if (panelShown) form.On1Click();
  Pump();
  watchdog.Enter(panelShown ? "each step alone, panel shown" : "each step alone, panel hidden");
  std::optional<Curve> curve;
  std::optional<SampleTexts> texts;
  // Each step's repaint is left to the pump between steps, outside the figures.
  const auto step = [](auto&& work) {
    const double ms = Milliseconds(work);
    Pump();
    return ms;
  };
  const double conversion = step([&] {
    curve.emplace(DecodeCurve(WaveformRecord(record)));
    texts.emplace(ConvertSamples(*curve, kSeparator));
  });
  const double description = step([&] { form.WriteRecordDescription(*curve); });
  const double bar = step([&] {
    form.ProgressBar1.SetRange(0, curve->sampleCount);
    form.ProgressBar1.SetVisible(true);
    form.ProgressBar1.SetPosition(curve->sampleCount);
  });
  const double memo = step([&] { form.Memo1.SetText(texts->table); });
  const double trace1 = step([&] { form.RichEdit1.SetText(texts->sampleByteTrace); });
  const double trace3 = step([&] { form.RichEdit3.SetText(texts->timeVoltageTrace); });
  const bool held = form.Memo1.Text() == texts->table &&
                    form.RichEdit1.Text() == texts->sampleByteTrace &&
                    form.RichEdit3.Text() == texts->timeVoltageTrace;
  std::printf("  each step, panel %-6s %10.1f %10.1f %8.1f %10.1f %10.1f %10.1f   %s\n",
              panelShown ? "shown" : "hidden", conversion, description, bar, memo, trace1, trace3,
              held ? "every box holds its text" : "a box does NOT hold its text");
  return held;
}

constexpr const char* kScenarios[] = {"hidden", "shown", "later", "steps-hidden", "steps-shown"};

// In the measuring process: one scenario's line of the table.
bool Measure(const RecordChoice& choice, std::string_view scenario) {
  if (std::find(std::begin(kScenarios), std::end(kScenarios), scenario) == std::end(kScenarios)) {
    std::printf("unknown scenario: %.*s\n", static_cast<int>(scenario.size()), scenario.data());
    return false;
  }
  Watchdog watchdog(kSecondsBudget, kMemoryBudget);
  const std::vector<std::uint8_t> record = choice.make();
  const SampleTexts expected = ConvertSamples(DecodeCurve(WaveformRecord(record)), kSeparator);
  if (scenario == "hidden" || scenario == "shown") {
    return EndToEnd(record, expected, scenario == "shown", watchdog);
  }
  if (scenario == "later") return DebugOnLater(record, expected, watchdog);
  return EachStepAlone(record, scenario == "steps-shown", watchdog);
}

bool MeasureEach(const RecordChoice& choice) {
  std::printf("\n%s\n  %-24s %13s %30s %14s   %s\n", choice.description, "scenario", "after pause",
              "longest unanswered", "bar positions", "table read back");
  bool complete = true;
  for (const char* scenario : kScenarios) {
    if (scenario == std::string_view("steps-hidden")) {
      std::printf("  %-24s %10s %10s %8s %10s %10s %10s  (ms)\n", "", "conversion", "labels+hdr",
                  "bar", "Memo1", "RichEdit1", "RichEdit3");
    }
    const DWORD exitCode =
        RunThisProgramAgain(Widen(choice.name) + L" " + Widen(scenario),
                            static_cast<DWORD>(kSecondsBudget * 1000) + kChildGraceMs);
    if (exitCode != EXIT_SUCCESS) {
      std::printf("  %s: %s (exit code 0x%lX)\n", scenario,
                  exitCode == EXIT_FAILURE ? "texts NOT complete" : "did NOT complete", exitCode);
    }
    complete = complete && exitCode == EXIT_SUCCESS;
  }
  return complete;
}

}  // namespace
}  // namespace talvorne::bench

// fill_bench.exe [usual|longest]: both records, or one; each scenario runs as
// fill_bench.exe usual|longest hidden|shown|later|steps-hidden|steps-shown.
int main(int argc, char** argv) {
  using namespace talvorne::bench;
  if (argc < 3) {
    std::printf(
        "The window's fill under Wine, decimal separator \".\"; a probe every %lu ms; times "
        "in ms, less the %.0f ms pause; each line from a process of its own.\n",
        kProbePeriodMs, kPauseMs);
  }
  bool complete = true;
  for (const RecordChoice& record : kRecords) {
    if (argc > 1 && argv[1] != std::string_view(record.name)) continue;
    complete = (argc < 3 ? MeasureEach(record) : Measure(record, argv[2])) && complete;
  }
  std::fflush(stdout);
  return complete ? EXIT_SUCCESS : EXIT_FAILURE;
}
