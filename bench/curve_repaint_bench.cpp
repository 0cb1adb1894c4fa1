// Times the Courbe window's repaint under Wine: the program's windows made in-process, as
// start-up makes them, the window opened on a curve and its plot repainted again and again at a
// few sizes, each repaint drawn whole (the picture off screen, then copied to the window). Also
// times the picture alone into a bitmap, the copy to the clipboard and the PNG encoding.
// Exits with a failure status when a repaint's median time reaches 100 ms.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/shell_bench_records.h"
#include "decoding/curve.h"
#include "tests/wine/support/program_windows.h"
#include "win32/offscreen_picture.h"
#include "win32/png_encoding.h"

namespace talvorne::bench {
namespace {

using testing::ProgramWindows;

constexpr int kRepaints = 30;
constexpr double kTargetMs = 100;

struct RecordChoice {
  const char* description;
  std::vector<std::uint8_t> (*make)();
};

constexpr RecordChoice kRecords[] = {
    {"two channels, N = 6250", UsualTwoChannelRecord},
    {"one channel, N = 65536 (the most the window takes)", LongestAcceptedOneChannelRecord},
};

// Outer sizes of the Courbe window: as it opens, about 1000 by 600, the whole screen.
constexpr SIZE kWindowSizes[] = {{0, 0}, {1016, 660}, {1280, 1024}};

template <typename Work>
double Milliseconds(Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

struct Spread {
  double fastest, median, slowest;
};

template <typename Work>
Spread Repeated(int times, Work&& work) {
  std::vector<double> runs;
  for (int i = 0; i < times; ++i) runs.push_back(Milliseconds(work));
  std::sort(runs.begin(), runs.end());
  return {runs.front(), runs[runs.size() / 2], runs.back()};
}

void Print(const char* what, const Spread& spread) {
  std::printf("    %-38s median %8.2f ms  (fastest %8.2f, slowest %8.2f)\n", what, spread.median,
              spread.fastest, spread.slowest);
  std::fflush(stdout);
}

// true when the repaints met the target.
bool MeasureRecord(const RecordChoice& choice) {
  std::printf("\n%s\n", choice.description);
  const std::vector<std::uint8_t> record = choice.make();
  ProgramWindows windows;
  TForm1& form = windows.Main();
  CurveWindow& courbe = form.curveWindow;
  courbe.ShowCurve(DecodeCurve(WaveformRecord(record)));
  form.Courbe1Click();
  bool met = true;
  for (const SIZE& outer : kWindowSizes) {
    if (outer.cx > 0) {
      SetWindowPos(courbe.Handle(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOZORDER);
    }
    testing::Pump();
    const CurvePlot& plot = *courbe.Plot();
    const SIZE size = plot.Size();
    std::printf("  plot of %ld x %ld pixels\n", size.cx, size.cy);
    const Spread repaint = Repeated(kRepaints, [&] {
      RedrawWindow(plot.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    });
    Print("repaint (RDW_UPDATENOW)", repaint);
    met = met && repaint.median < kTargetMs;
    Print("the picture into a bitmap", Repeated(kRepaints, [&] {
            const OffscreenPicture bitmap(size);
            courbe.Picture().Draw(bitmap.Dc(), size, plot.Dpi());
          }));
    Print("Copier l'image (bitmap and metafile)",
          Repeated(kRepaints / 3, [&] { courbe.CopyPicture(); }));
    Print("PNG encoding of the bitmap", Repeated(kRepaints / 3, [&] {
            const OffscreenPicture bitmap(size);
            courbe.Picture().Draw(bitmap.Dc(), size, plot.Dpi());
            EncodePng(size, bitmap.OpaquePixels());
          }));
  }
  return met;
}

}  // namespace
}  // namespace talvorne::bench

int main() {
  std::printf(
      "The Courbe window under Wine, %d repaints a size; target: a repaint under %.0f ms.\n",
      talvorne::bench::kRepaints, talvorne::bench::kTargetMs);
  bool met = true;
  for (const auto& record : talvorne::bench::kRecords) {
    met = talvorne::bench::MeasureRecord(record) && met;
  }
  std::printf("\n%s\n", met ? "Target met." : "Target NOT met.");
  return met ? EXIT_SUCCESS : EXIT_FAILURE;
}
