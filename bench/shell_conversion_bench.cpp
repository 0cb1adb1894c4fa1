// Times the shell's conversion under Wine, the pause left out: a record becomes the labels, the
// data table in Memo1 and the traces in RichEdit1 and RichEdit3 of freshly made program windows.
// Every record and stage runs in a process of its own, so that its peak memory is its own and a
// control that never finishes or fails cannot hide the others' figures:
//   shell      AcceptRecord, DecodeCurve, DescribeRecord and WriteRecordDescription, then
//              WriteSamples, next to a standalone ConvertSamples of the same curve (WriteSamples
//              less it is the controls' share);
//   Memo1, RichEdit1, RichEdit3
//              the same texts given to one control alone with SetWindowTextW.
// A watchdog thread prints progress and ends a process that runs out of time or memory.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bench/bench_watchdog.h"
#include "bench/control_check.h"
#include "bench/own_process.h"
#include "bench/process_memory.h"
#include "bench/shell_bench_records.h"
#include "decoding/curve.h"
#include "decoding/record_texts.h"
#include "decoding/sample_texts.h"
#include "decoding/waveform_record.h"
#include "tests/wine/support/program_windows.h"
#include "win32/text_encoding.h"

namespace talvorne::bench {

namespace {

using testing::ProgramWindows;

// The decimal separator of a "." locale; a "," locale gives texts of the same lengths.
constexpr std::string_view kSeparator = ".";
constexpr double kDefaultSecondsBudget = 600;
constexpr double kDefaultGibBudget = 8;
// The parent gives a child this much longer than its own watchdog before ending it.
constexpr DWORD kChildGraceMs = 60'000;

constexpr RecordChoice kRecords[] = {
    {"usual", "two channels, N = 6250 (25116 bytes)", UsualTwoChannelRecord},
    {"largest", "one channel, N = 8388575 (16777215 bytes)", LargestOneChannelRecord},
};
constexpr const char* kStages[] = {"shell", "Memo1", "RichEdit1", "RichEdit3"};

struct Budgets {
  double seconds = kDefaultSecondsBudget;
  double gib = kDefaultGibBudget;
};

template <typename Work>
double Milliseconds(Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  std::forward<Work>(work)();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

void PrintTime(const char* what, double milliseconds) {
  std::printf("  %-58s %12.3f ms\n", what, milliseconds);
  std::fflush(stdout);
}

// The windows handle what filling them has left waiting, their repainting above all.
void TimeRepaint(Watchdog& watchdog) {
  watchdog.Enter("the message pump after filling");
  PrintTime("pending messages (repaint) after filling", Milliseconds(testing::Pump));
}

// Decodes the record, then times ConvertSamples on its curve twice: the first call also pays for
// growing the heap, and WriteSamples runs on a grown one. Hands the texts of the second call to
// `use`, then frees them. (Assigning an empty string would keep the buffer: the texts must go out
// of scope.)
template <typename Use>
void TimedConversion(const std::vector<std::uint8_t>& record, Watchdog& watchdog, Use&& use) {
  watchdog.Enter("DecodeCurve");
  std::optional<Curve> curve;
  PrintTime("DecodeCurve alone",
            Milliseconds([&] { curve.emplace(DecodeCurve(WaveformRecord(record))); }));
  watchdog.Enter("ConvertSamples");
  PrintTime("ConvertSamples alone, first call",
            Milliseconds([&] { ConvertSamples(*curve, kSeparator); }));
  std::optional<SampleTexts> texts;
  PrintTime("ConvertSamples alone, again",
            Milliseconds([&] { texts.emplace(ConvertSamples(*curve, kSeparator)); }));
  curve.reset();
  std::printf("  texts: table %zu bytes, RichEdit1 trace %zu bytes, RichEdit3 trace %zu bytes\n",
              texts->table.size(), texts->sampleByteTrace.size(), texts->timeVoltageTrace.size());
  std::forward<Use>(use)(*texts);
}

bool RunShell(const std::vector<std::uint8_t>& record, Watchdog& watchdog) {
  TextShape table, trace1, trace3;
  TimedConversion(record, watchdog, [&](const SampleTexts& given) {
    table = MemoShape(given.table);
    trace1 = RichEditShape(given.sampleByteTrace);
    trace3 = RichEditShape(given.timeVoltageTrace);
  });
  PrintPeakMemory("ConvertSamples alone", watchdog.PeakPagefileUsage());

  ProgramWindows windows(FormatSettings{std::string(kSeparator)});
  TForm1& form = windows.Main();
  const WaveformRecord accepted(record);
  try {
    AcceptRecord(accepted);
  } catch (const std::exception& refusal) {
    // The window refuses records far longer than the instrument's: that is the outcome.
    std::printf("The window refused the record: %s\n", refusal.what());
    return true;
  }
  watchdog.Enter("DecodeCurve + WriteRecordDescription (DescribeRecord + 3 texts)");
  std::optional<Curve> curve;
  const double describe = Milliseconds([&] {
    curve.emplace(DecodeCurve(accepted));
    form.WriteRecordDescription(*curve);
  });
  PrintTime("DecodeCurve + WriteRecordDescription (DescribeRecord + 3 texts)", describe);
  watchdog.Enter("WriteSamples");
  const double samples = Milliseconds([&] { form.WriteSamples(*curve); });
  PrintTime("WriteSamples (ConvertSamples + progress bar + 3 texts)", samples);
  PrintTime("every control filled (the two lines above)", describe + samples);
  TimeRepaint(watchdog);
  const bool memoComplete = CheckMemo("Memo1", form.Memo1.Handle(), table);
  const bool trace1Complete = CheckRichEdit("RichEdit1", form.RichEdit1.Handle(), trace1);
  const bool trace3Complete = CheckRichEdit("RichEdit3", form.RichEdit3.Handle(), trace3);
  PrintPeakMemory("WriteSamples", watchdog.PeakPagefileUsage());
  return memoComplete && trace1Complete && trace3Complete;
}

bool RunOneControl(const std::vector<std::uint8_t>& record, std::string_view stage,
                   Watchdog& watchdog) {
  const bool memo = stage == "Memo1";
  TextShape shape;
  std::wstring wide;
  TimedConversion(record, watchdog, [&](const SampleTexts& given) {
    const std::string& text = memo                   ? given.table
                              : stage == "RichEdit1" ? given.sampleByteTrace
                                                     : given.timeVoltageTrace;
    shape = memo ? MemoShape(text) : RichEditShape(text);
    PrintTime("UTF-8 to UTF-16 of its text", Milliseconds([&] { wide = Widen(text); }));
  });

  ProgramWindows windows(FormatSettings{std::string(kSeparator)});
  const TForm1& form = windows.Main();
  const HWND control = memo                   ? form.Memo1.Handle()
                       : stage == "RichEdit1" ? form.RichEdit1.Handle()
                                              : form.RichEdit3.Handle();
  watchdog.Enter("SetWindowTextW");
  BOOL accepted = FALSE;
  PrintTime("SetWindowTextW",
            Milliseconds([&] { accepted = SetWindowTextW(control, wide.c_str()); }));
  if (!accepted) std::printf("  SetWindowTextW REFUSED the text (error %lu)\n", GetLastError());
  TimeRepaint(watchdog);
  const std::string name(stage);
  const bool complete =
      memo ? CheckMemo(name.c_str(), control, shape) : CheckRichEdit(name.c_str(), control, shape);
  PrintPeakMemory("SetWindowTextW", watchdog.PeakPagefileUsage());
  return accepted && complete;
}

// In the measuring process.
int Measure(const RecordChoice& choice, std::string_view stage, const Budgets& budgets) {
  std::printf("\n%s, stage %.*s\n", choice.description, static_cast<int>(stage.size()),
              stage.data());
  std::fflush(stdout);
  Watchdog watchdog(budgets.seconds, static_cast<std::uint64_t>(budgets.gib * (1ull << 30)));
  const std::vector<std::uint8_t> record = choice.make();
  const bool complete =
      stage == "shell" ? RunShell(record, watchdog) : RunOneControl(record, stage, watchdog);
  return complete ? EXIT_SUCCESS : EXIT_FAILURE;
}

std::string Outcome(DWORD exitCode) {
  switch (exitCode) {
    case EXIT_SUCCESS:
      return "completed, every text complete";
    case EXIT_FAILURE:
      return "ended, but a control REFUSED or LOST text";
    case kTimeBudgetExceeded:
      return "did NOT complete within the time budget";
    case kMemoryBudgetExceeded:
      return "did NOT complete within the memory budget";
    case STILL_ACTIVE:
      return "did NOT end after its watchdog's deadline: ended by the parent";
  }
  char code[64];
  std::snprintf(code, sizeof code, "CRASHED (exit code 0x%08lX)", exitCode);
  return code;
}

// Runs this program again as the measuring process for one record and stage.
DWORD MeasureInOwnProcess(const char* record, const char* stage, const Budgets& budgets) {
  return RunThisProgramAgain(Widen(record) + L" " + Widen(stage) + L" " +
                                 std::to_wstring(budgets.seconds) + L" " +
                                 std::to_wstring(budgets.gib),
                             static_cast<DWORD>(budgets.seconds * 1000) + kChildGraceMs);
}

int MeasureEach(const Budgets& budgets) {
  std::printf(
      "Shell conversion under Wine, pause left out, decimal separator \".\"; budgets per "
      "process: %.0f s, %.1f GiB.\n",
      budgets.seconds, budgets.gib);
  std::vector<std::pair<std::string, DWORD>> outcomes;
  for (const RecordChoice& record : kRecords) {
    for (const char* stage : kStages) {
      outcomes.emplace_back(std::string(record.name) + " / " + stage,
                            MeasureInOwnProcess(record.name, stage, budgets));
    }
  }
  std::printf("\nOutcomes:\n");
  bool survived = true;
  for (const auto& [name, exitCode] : outcomes) {
    std::printf("  %-20s %s\n", name.c_str(), Outcome(exitCode).c_str());
    survived = survived && exitCode <= kMemoryBudgetExceeded;
  }
  return survived ? EXIT_SUCCESS : EXIT_FAILURE;
}

int Usage() {
  std::printf(
      "usage: shell_conversion_bench [usual|largest shell|Memo1|RichEdit1|RichEdit3 "
      "[seconds [GiB]]]\n       shell_conversion_bench [seconds [GiB]]\n");
  return EXIT_FAILURE;
}

}  // namespace

int Main(int argc, char** argv) {
  const int budgetArguments = argc > 1 && std::atof(argv[1]) == 0 ? 3 : 1;
  Budgets budgets;
  if (argc > budgetArguments) budgets.seconds = std::atof(argv[budgetArguments]);
  if (argc > budgetArguments + 1) budgets.gib = std::atof(argv[budgetArguments + 1]);
  if (argc < budgetArguments || argc > budgetArguments + 2 || budgets.seconds <= 0 ||
      budgets.gib <= 0) {
    return Usage();
  }
  if (budgetArguments == 1) return MeasureEach(budgets);
  for (const RecordChoice& record : kRecords) {
    for (const char* stage : kStages) {
      if (argv[1] == std::string_view(record.name) && argv[2] == std::string_view(stage)) {
        return Measure(record, stage, budgets);
      }
    }
  }
  return Usage();
}

}  // namespace talvorne::bench

int main(int argc, char** argv) {
  return talvorne::bench::Main(argc, argv);
}
