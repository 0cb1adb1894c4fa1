// The "Courbe" window in this process: opened from "Affichage" or Ctrl+G, once; each channel drawn
// in its colour where its samples fall, at each DPI; the line before the first table and a failed
// acquisition that changes nothing; its picture copied as a bitmap and a metafile, or saved as PNG.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "decoding/curve.h"
#include "resources/resource_ids.h"
#include "shell/curve_picture.h"
#include "tests/support/record_builder.h"
#include "tests/wine/support/box_watcher.h"
#include "tests/wine/support/child_process.h"
#include "tests/wine/support/program_windows.h"
#include "win32/dpi.h"
#include "win32/guarded_call.h"
#include "win32/offscreen_picture.h"
#include "win32/owned_handles.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

using namespace std::chrono_literals;
using namespace talvorne::testing;

// Two channels of 5000 samples at 1 ms per division: U1 steps between 2000 and -2000 mV every 500
// samples, U2 between 1000 and 0 mV every 1000.
constexpr std::int32_t kSamples = 5000;
std::vector<std::uint8_t> SquareWaves() {
  RecordBuilder record = RecordBuilder::TwoChannels(kSamples);
  record.ChannelCharacter('1').TimebaseCode(16).VoltsCode(1, 4).VoltsCode(2, 10);
  for (std::int32_t i = 1; i <= kSamples; ++i) {
    record.Sample(1, i, static_cast<std::int16_t>((i - 1) / 500 % 2 == 0 ? 1000 : -1000));
    record.Sample(2, i, static_cast<std::int16_t>((i - 1) / 1000 % 2 == 0 ? 5 : 0));
  }
  return record.Bytes();
}

// The square waves as an acquisition gives them to the window, without the conversion's pause.
void ShowSquareWaves(CurveWindow& window) {
  window.ShowCurve(DecodeCurve(WaveformRecord(SquareWaves())));
}

// The plot as the screen shows it, red green blue in each pixel's low three bytes.
struct Pixels {
  SIZE size{};
  std::vector<std::uint32_t> rgb;
  std::uint32_t At(LONG x, LONG y) const {
    return rgb[static_cast<std::size_t>(y * size.cx + x)] & 0xFFFFFFu;
  }
};

Pixels PlotPixels(const CurvePlot& plot) {
  UpdateWindow(plot.Handle());
  const SIZE size = plot.Size();
  const OffscreenPicture copy(size);
  const WindowDc screen(plot.Handle());
  BitBlt(copy.Dc(), 0, 0, size.cx, size.cy, screen.get(), 0, 0, SRCCOPY);
  return {size, copy.OpaquePixels()};
}

std::uint32_t PixelOf(COLORREF colour) {
  return static_cast<std::uint32_t>(GetRValue(colour)) << 16 |
         static_cast<std::uint32_t>(GetGValue(colour)) << 8 | GetBValue(colour);
}

PlotGeometry GeometryOf(const CurveWindow& window) {
  const CurvePlot& plot = *window.Plot();
  const WindowDc dc(plot.Handle());
  const std::optional<PlotGeometry> geometry =
      window.Picture().LayOut(dc.get(), plot.Size(), plot.Dpi());
  if (!geometry) throw std::runtime_error("the plot has no room");
  return *geometry;
}

// Every pixel of the channel's colour lies on the rows its samples reach in its column or the
// next ones (the line that joins two samples included), a pen's width away at most; and every
// sample of a flat stretch has such a pixel where it falls.
void ExpectChannelWhereItsSamplesFall(const Pixels& pixels, const PlotGeometry& geometry,
                                      const Curve& curve, std::size_t channel, LONG pen) {
  const RECT& frame = geometry.frame;
  const auto column = [&](double t) {
    const NiceAxis& axis = geometry.time;
    return frame.left +
           std::lround((t - axis.low) / (axis.high - axis.low) * (frame.right - 1 - frame.left));
  };
  const auto row = [&](double v) {
    const NiceAxis& axis = geometry.voltage;
    return frame.bottom - 1 -
           std::lround((v - axis.low) / (axis.high - axis.low) * (frame.bottom - 1 - frame.top));
  };
  const std::vector<double>& values = curve.channels[channel].millivolts;
  std::vector<LONG> lowest(static_cast<std::size_t>(pixels.size.cx), LONG_MAX);
  std::vector<LONG> highest(lowest.size(), LONG_MIN);
  const auto reach = [&](LONG x, LONG y) {
    const auto at = static_cast<std::size_t>(x);
    lowest[at] = std::min(lowest[at], y);
    highest[at] = std::max(highest[at], y);
  };
  for (std::size_t i = 0; i < values.size(); ++i) {
    reach(column(curve.seconds[i]), row(values[i]));
    if (i + 1 < values.size()) {
      reach(column(curve.seconds[i]), row(values[i + 1]));
      reach(column(curve.seconds[i + 1]), row(values[i]));
    }
  }
  const std::uint32_t colour = PixelOf(kChannelColours[channel]);
  int drawn = 0, stray = 0, missing = 0;
  for (LONG y = 0; y < pixels.size.cy; ++y) {
    for (LONG x = 0; x < pixels.size.cx; ++x) {
      if (pixels.At(x, y) != colour) continue;
      if (y < frame.top) continue;  // the legend
      ++drawn;
      bool reached = false;
      for (LONG dx = -1; dx <= 1; ++dx) {
        const LONG nx = std::clamp(x + dx, LONG{0}, pixels.size.cx - 1);
        const auto at = static_cast<std::size_t>(nx);
        reached = reached || (y >= lowest[at] - pen && y <= highest[at] + pen);
      }
      if (!reached && stray++ < 5) ADD_FAILURE() << "stray pixel at " << x << ", " << y;
    }
  }
  for (std::size_t i = 20; i + 20 < values.size(); ++i) {
    if (values[i - 20] != values[i + 20]) continue;  // reached a step
    const LONG x = column(curve.seconds[i]), y = row(values[i]);
    bool found = false;
    for (LONG dy = -pen; dy <= pen && !found; ++dy) found = pixels.At(x, y + dy) == colour;
    if (!found && missing++ < 5)
      ADD_FAILURE() << "sample " << i << " missing at " << x << ", " << y;
  }
  EXPECT_GT(drawn, pixels.size.cx / 4);
  EXPECT_EQ(stray, 0);
  EXPECT_EQ(missing, 0);
}

TEST(CurveWindow, EachChannelIsDrawnInItsColourWhereItsSamplesFallAtEachDpi) {
  ProgramWindows windows(FormatSettings{","});
  TForm1& form = windows.Main();
  form.ConvertRecord(SquareWaves());
  form.Courbe1Click();
  CurveWindow& courbe = form.curveWindow;
  const Curve curve = DecodeCurve(WaveformRecord(SquareWaves()));
  EXPECT_EQ(TextOf(courbe.Plot()->Handle()),
            L"Balayage : 0,001 s\r\nAmplitude CH 1 : 50 mV\r\nCH2 : 5000 mV");
  for (const UINT dpi : {96u, 144u}) {
    SCOPED_TRACE(dpi);
    if (dpi != courbe.Layout().Dpi()) {
      RECT frame;
      GetWindowRect(courbe.Handle(), &frame);
      RECT suggested{frame.left, frame.top, frame.left + MulDiv(frame.right - frame.left, 3, 2),
                     frame.top + MulDiv(frame.bottom - frame.top, 3, 2)};
      SendMessageW(courbe.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
    }
    Pump();
    const PlotGeometry geometry = GeometryOf(courbe);
    // Round times in the table's notation, from the first sample's to the last's.
    EXPECT_EQ(geometry.time.low, 0);
    EXPECT_EQ(geometry.time.high, 0.01);
    EXPECT_EQ(geometry.time.ticks[1].text, "0,002");
    EXPECT_LE(geometry.voltage.low, -2000);
    EXPECT_GE(geometry.voltage.high, 2000);
    const Pixels pixels = PlotPixels(*courbe.Plot());
    for (std::size_t channel = 0; channel < 2; ++channel) {
      SCOPED_TRACE(channel);
      ExpectChannelWhereItsSamplesFall(pixels, geometry, curve, channel, ScaleForDpi(1, dpi));
    }
  }
}

TEST(CurveWindow, BeforeTheFirstTableItSaysHowToGetOneAndAFailedAcquisitionChangesNothing) {
  ProgramWindows windows;
  TForm1& form = windows.Main();
  form.Courbe1Click();
  const CurvePlot& plot = *form.curveWindow.Plot();
  EXPECT_EQ(TextOf(plot.Handle()), L"Aucune courbe : cliquez sur « Récupération ».");
  const Pixels empty = PlotPixels(plot);
  for (const COLORREF colour : kChannelColours) {
    EXPECT_EQ(std::count(empty.rgb.begin(), empty.rgb.end(), PixelOf(colour) | 0xFF000000u), 0);
  }
  EXPECT_GT(std::count(empty.rgb.begin(), empty.rgb.end(), 0xFF000000u), 0) << "the text's ink";

  form.ConvertRecord(SquareWaves());
  const Pixels good = PlotPixels(plot);
  EXPECT_NE(good.rgb, empty.rgb);
  const std::wstring text = TextOf(plot.Handle());

  BoxWatcher watcher;
  form.ConvertRecord(std::vector<std::uint8_t>(63, 0));  // unreadable
  RunGuarded([&] { form.ConvertRecord(std::vector<std::uint8_t>(65 + 2 * 65537, 0)); });
  EXPECT_EQ(watcher.WaitFor(2, 5s).size(), 2u);
  Pump();
  EXPECT_EQ(TextOf(plot.Handle()), text);
  EXPECT_EQ(PlotPixels(plot).rgb, good.rgb);
}

TEST(CurveWindow, CopierLImageLeavesABitmapAndAMetafileOfThePlotsSize) {
  ProgramWindows windows;
  TForm1& form = windows.Main();
  ShowSquareWaves(form.curveWindow);
  form.Courbe1Click();
  const Pixels shown = PlotPixels(*form.curveWindow.Plot());
  EmptyTheClipboard();
  PressKey(form.curveWindow.Handle(), 'C', true);

  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT)) << "the picture, not the table";
  const HANDLE dib = GetClipboardData(CF_DIB);
  const auto* header =
      dib != nullptr ? static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib)) : nullptr;
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->biWidth, shown.size.cx);
  EXPECT_EQ(header->biHeight, shown.size.cy);  // rows from the bottom up
  ASSERT_EQ(header->biBitCount, 32);
  // The very picture that the screen shows.
  const auto* rows = reinterpret_cast<const std::uint32_t*>(header + 1);
  int differences = 0;
  for (LONG y = 0; y < shown.size.cy; ++y) {
    for (LONG x = 0; x < shown.size.cx; ++x) {
      differences +=
          (rows[(shown.size.cy - 1 - y) * shown.size.cx + x] & 0xFFFFFFu) != shown.At(x, y);
    }
  }
  EXPECT_EQ(differences, 0);
  GlobalUnlock(dib);

  const auto metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  ENHMETAHEADER emf{};
  ASSERT_NE(metafile, nullptr);
  ASSERT_NE(GetEnhMetaFileHeader(metafile, sizeof emf, &emf), 0u);
  EXPECT_EQ(emf.rclBounds.left, 0);
  EXPECT_EQ(emf.rclBounds.top, 0);
  EXPECT_EQ(emf.rclBounds.right, shown.size.cx - 1);
  EXPECT_EQ(emf.rclBounds.bottom, shown.size.cy - 1);
  // Its frame, in hundredths of a millimetre, is the plot's size on the screen it was drawn for.
  const auto framedPixels = [&](LONG hundredths, LONG pixels, LONG millimetres) {
    return MulDiv(hundredths, pixels, millimetres * 100);
  };
  EXPECT_NEAR(
      framedPixels(emf.rclFrame.right - emf.rclFrame.left, emf.szlDevice.cx, emf.szlMillimeters.cx),
      shown.size.cx, 1);
  EXPECT_NEAR(
      framedPixels(emf.rclFrame.bottom - emf.rclFrame.top, emf.szlDevice.cy, emf.szlMillimeters.cy),
      shown.size.cy, 1);
  CloseClipboard();
}

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

TEST(CurveWindow, EnregistrerLImageWritesAPngFileOfThePlotsSize) {
  ScratchFolder folder;
  SaveDialogUser user;
  const BoxWatcher watcher(GetCurrentProcessId(), 0ms, [&](HWND box) { return user.Answer(box); });
  ProgramWindows windows;
  TForm1& form = windows.Main();
  ShowSquareWaves(form.curveWindow);
  form.Courbe1Click();
  const SIZE size = form.curveWindow.Plot()->Size();

  user.Will((folder.Path() / L"courbe").wstring(), 1);  // a bare name takes the type's extension
  PressKey(form.curveWindow.Handle(), 'S', true);
  EXPECT_EQ(user.types, std::vector<std::wstring>{L"Image PNG (*.png)"});
  EXPECT_EQ(user.proposed.substr(0, 7), L"Courbe ");
  EXPECT_EQ(user.proposed.substr(user.proposed.size() - 4), L".png");

  std::ifstream file(folder.Path() / L"courbe.png", std::ios::binary);
  std::string header(24, '\0');
  ASSERT_TRUE(file.read(header.data(), 24));
  EXPECT_EQ(header.substr(0, 8), "\x89PNG\r\n\x1A\n");
  EXPECT_EQ(header.substr(12, 4), "IHDR");
  EXPECT_EQ(BigEndian(header, 16), static_cast<std::uint32_t>(size.cx));
  EXPECT_EQ(BigEndian(header, 20), static_cast<std::uint32_t>(size.cy));
  EXPECT_EQ(watcher.Boxes().size(), 1u) << "the dialog, and no message after it";
}

// The visible windows of this thread with that caption.
int WindowsCaptioned(const wchar_t* caption) {
  struct Count {
    const wchar_t* caption;
    int found = 0;
  } count{caption};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        auto& wanted = *reinterpret_cast<Count*>(found);
        wchar_t text[64] = {};
        GetWindowTextW(window, text, 64);
        wanted.found += IsWindowVisible(window) && std::wstring_view(text) == wanted.caption;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.found;
}

TEST(CurveWindow, CtrlGOpensItOverTheMainWindowOnceTabReachesNothingAndEscClosesIt) {
  ProgramWindows windows;
  TForm1& form = windows.Main();
  PressKey(form.Button3.Handle(), 'G', true);
  const HWND courbe = form.curveWindow.Handle();
  ASSERT_NE(courbe, nullptr);
  EXPECT_TRUE(IsWindowVisible(courbe));
  EXPECT_EQ(TextOf(courbe), L"Courbe");
  EXPECT_EQ(GetWindow(courbe, GW_OWNER), form.Handle()) << "above it, no taskbar button";
  EXPECT_TRUE(GetWindowLongW(courbe, GWL_STYLE) & WS_THICKFRAME) << "resizable";
  EXPECT_EQ(GetForegroundWindow(), courbe);
  RECT client, plot;
  GetClientRect(courbe, &client);
  GetClientRect(form.curveWindow.Plot()->Handle(), &plot);
  EXPECT_TRUE(EqualRect(&client, &plot)) << "the plot fills the window";

  const HMENU image = GetSubMenu(GetMenu(courbe), 0);
  wchar_t text[64];
  GetMenuStringW(GetMenu(courbe), 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Image");
  ASSERT_EQ(GetMenuItemCount(image), 2);
  GetMenuStringW(image, 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Copier l'image\tCtrl+C");
  GetMenuStringW(image, 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Enregistrer l'image…\tCtrl+S");

  // Again from the main window: the same window comes forward.
  SetForegroundWindow(form.Handle());
  Pump();
  PressKey(form.Button3.Handle(), 'G', true);
  EXPECT_EQ(form.curveWindow.Handle(), courbe);
  EXPECT_EQ(GetForegroundWindow(), courbe);
  EXPECT_EQ(WindowsCaptioned(L"Courbe"), 1);

  PressKey(courbe, VK_TAB);
  EXPECT_EQ(GetFocus(), courbe);
  PressKey(courbe, VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(courbe));
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

}  // namespace
}  // namespace talvorne
