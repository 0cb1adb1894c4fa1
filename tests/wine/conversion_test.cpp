// The conversion on the main window: labels, table, traces, progress bar and "Régressi", with the
// user's decimal separator, the empty record and those that cannot be a table, and the pause
// before the table.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "decoding/curve.h"
#include "decoding/sample_texts.h"
#include "resources/resource_ids.h"
#include "tests/support/record_builder.h"
#include "tests/wine/support/box_watcher.h"
#include "tests/wine/support/program_windows.h"
#include "win32/guarded_call.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

using namespace std::chrono_literals;
using testing::BoxWatcher;
using testing::ProgramWindows;
using testing::RecordBuilder;

std::vector<std::string> Lines(const std::string& text, const char* separator = "\r\n") {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;
       start = end + std::strlen(separator)) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

// Two channels of 5000 samples at 1 ms per division, 50 and 5000 mV per division.
std::vector<std::uint8_t> TwoChannelRecord() {
  RecordBuilder record = RecordBuilder::TwoChannels(5000);
  record.ChannelCharacter('1').TimebaseCode(16).VoltsCode(1, 4).VoltsCode(2, 10);
  record.Sample(1, 1, 0x001F).Sample(1, 2, -3).Sample(1, 5000, 25);
  record.Sample(2, 1, -32768).Sample(2, 5000, 1);
  return record.Bytes();
}

double CpuSeconds() {
  FILETIME creation, exit, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
  const auto seconds = [](FILETIME time) {
    return static_cast<double>((ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

TEST(Conversion, TwoChannelRecordFillsEveryControl) {
  ProgramWindows windows;
  const TForm1& form = windows.Main();
  form.RichEdit1.SetText("previous");

  windows.Main().ConvertRecord(TwoChannelRecord());

  EXPECT_EQ(form.Label8.Text(), "Balayage : 0.001 s");
  EXPECT_EQ(form.Label9.Text(), "Amplitude CH 1 : 50 mV\rCH2 : 5000 mV");

  const std::vector<std::string> table = Lines(form.Memo1.Text());
  ASSERT_EQ(table.size(), 5000u + 3u);  // header, samples, and the empty end after the last CR LF
  EXPECT_EQ(table[0], "t\tU1\tU2");
  EXPECT_EQ(table[1], "s\tmV\tmV");
  EXPECT_EQ(table[2], "2E-6\t62\t-6553600");
  EXPECT_EQ(table[3], "4E-6\t-6\t0");
  EXPECT_EQ(table[1 + 49], "9.8E-5\t0\t0");
  EXPECT_EQ(table[1 + 50], "0.0001\t0\t0");
  EXPECT_EQ(table[1 + 51], "0.000102\t0\t0");
  EXPECT_EQ(table[5001], "0.01\t50\t200");
  EXPECT_EQ(table[5002], "");

  const std::vector<std::string> bytes = Lines(form.RichEdit1.Text(), "\r");
  ASSERT_EQ(bytes.size(), 5001u);
  EXPECT_EQ(bytes[0], "");
  EXPECT_EQ(bytes[1], "1 : 00 1F 66");
  EXPECT_EQ(bytes[2], "2 : FF FD 68");
  const std::vector<std::string> voltages = Lines(form.RichEdit3.Text(), "\r");
  ASSERT_EQ(voltages.size(), 5001u);
  EXPECT_EQ(voltages[1], "0.001 : 62");
  EXPECT_EQ(voltages[2], "0.002 : -6");
  EXPECT_EQ(voltages[5000], "5 : 50");

  EXPECT_TRUE(form.ProgressBar1.Visible());
  EXPECT_EQ(SendMessageW(form.ProgressBar1.Handle(), PBM_GETRANGE, FALSE, 0), 5000);
  EXPECT_EQ(form.ProgressBar1.Position(), 5000);
  EXPECT_TRUE(form.Button5.Enabled());
}

TEST(Conversion, OneChannelRecordWithTheUsersDecimalSeparator) {
  ProgramWindows windows(FormatSettings{","});
  const TForm1& form = windows.Main();
  RecordBuilder record = RecordBuilder::OneChannel(6250);
  record.ChannelCharacter('2').TimebaseCode(13).VoltsCode(1, 3).Sample(1, 1, -3).Sample(1, 2, 3);
  windows.Main().ConvertRecord(record.Bytes());

  EXPECT_EQ(form.Label8.Text(), "Balayage : 0,0001 s");
  EXPECT_EQ(form.Label9.Text(), "Amplitude CH2 : 20 mV");
  const std::vector<std::string> table = Lines(form.Memo1.Text());
  ASSERT_EQ(table.size(), 6250u + 3u);
  EXPECT_EQ(table[0], "t\tU2");
  EXPECT_EQ(table[1], "s\tmV");
  EXPECT_EQ(table[2], "1,6E-7\t-2,4");
  EXPECT_EQ(table[3], "3,2E-7\t2,4");
  EXPECT_EQ(table[6251], "0,001\t0");
  EXPECT_EQ(Lines(form.RichEdit3.Text(), "\r")[1], "0,0001 : -2,4");
}

TEST(Conversion, EmptyRecordGivesTheHeaderAloneAndEnablesRegressi) {
  ProgramWindows windows;
  const TForm1& form = windows.Main();
  form.RichEdit1.SetText("previous");
  windows.Main().ConvertRecord(std::vector<std::uint8_t>(65, 0));  // one channel, N = 0
  EXPECT_EQ(form.Memo1.Text(), "t\tU?\r\ns\tmV\r\n");              // byte 16 is 0, not a character
  EXPECT_EQ(form.RichEdit1.Text(), "");
  EXPECT_EQ(form.RichEdit3.Text(), "");
  EXPECT_EQ(form.Label8.Text(), "Balayage : 5E-9 s");
  EXPECT_TRUE(form.ProgressBar1.Visible());
  EXPECT_TRUE(form.Button5.Enabled());
}

TEST(Conversion, RecordsThatCannotBeATableLeaveEveryTextAsItWas) {
  ProgramWindows windows;
  TForm1& form = windows.Main();
  RecordBuilder record = RecordBuilder::OneChannel(3);
  record.ChannelCharacter('1').TimebaseCode(16).VoltsCode(1, 4).Sample(1, 2, 7);
  form.ConvertRecord(record.Bytes());
  const auto shown = [&] {
    return std::vector<std::string>{form.Memo1.Text(), form.Label8.Text(), form.Label9.Text(),
                                    form.RichEdit1.Text(), form.RichEdit3.Text()};
  };
  const std::vector<std::string> table = shown();
  ASSERT_EQ(Lines(table[0]).size(), 2u + 3u + 1u);

  BoxWatcher watcher;
  // Too short to hold a sample: a plain message box, since the instrument's answer is unreadable.
  form.ConvertRecord(std::vector<std::uint8_t>(63, 0));
  // Far longer than the instrument's: the error reaches the default error box.
  for (const std::size_t length : {std::size_t{65 + 2 * 65537}, std::size_t{16'777'215}}) {
    RunGuarded([&] { form.ConvertRecord(std::vector<std::uint8_t>(length, 0)); });
  }
  const auto boxes = watcher.WaitFor(3, 5s);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].caption, L"Talvorne");
  EXPECT_EQ(boxes[0].text,
            L"Réponse illisible de l'oscilloscope (63 octets). Le tableau n'a pas changé.");
  EXPECT_FALSE(boxes[0].hasIcon);
  EXPECT_EQ(boxes[1].text, L"Enregistrement trop long : 65537 points par voie (65536 au plus)");
  EXPECT_EQ(boxes[2].text, L"Enregistrement trop long : 8388575 points par voie (65536 au plus)");
  EXPECT_TRUE(boxes[2].hasIcon);

  EXPECT_EQ(shown(), table);
  EXPECT_EQ(form.ProgressBar1.Position(), 3);
  EXPECT_TRUE(form.Button5.Enabled());
}

// The debug panel's three texts as every reader gets them: the boxes' own, and what another
// program's WM_GETTEXT gets from the rich edits (CR LF paragraphs).
std::vector<std::string> PanelTexts(const TForm1& form) {
  return {form.Memo1.Text(), form.RichEdit1.Text(), form.RichEdit3.Text(),
          form.RichEdit1.Control::Text(), form.RichEdit3.Control::Text()};
}

std::string WithCrLf(const std::string& paragraphs) {
  std::string text;
  for (const char c : paragraphs) text += c == '\r' ? std::string("\r\n") : std::string(1, c);
  return text;
}

TEST(Conversion, ThePanelsTextsAreTheSameWrittenHiddenShownOrWhenShownLater) {
  RecordBuilder builder = RecordBuilder::TwoChannels(6250);
  builder.ChannelCharacter('1').TimebaseCode(16).VoltsCode(1, 6).VoltsCode(2, 3);
  for (int i = 1; i <= 6250; ++i) {
    builder.Sample(1, i, static_cast<std::int16_t>(i * 37 % 2001 - 1000));
    builder.Sample(2, i, static_cast<std::int16_t>(-i));
  }
  const std::vector<std::uint8_t> record = builder.Bytes();
  const SampleTexts made = ConvertSamples(DecodeCurve(WaveformRecord(record)), ".");
  const std::vector<std::string> expected{made.table, made.sampleByteTrace, made.timeVoltageTrace,
                                          WithCrLf(made.sampleByteTrace),
                                          WithCrLf(made.timeVoltageTrace)};

  ProgramWindows hidden;
  TForm1& later = hidden.Main();
  later.ConvertRecord(record);
  EXPECT_EQ(PanelTexts(later), expected) << "read while the panel is hidden";
  later.On1Click();
  EXPECT_EQ(PanelTexts(later), expected) << "written when the panel is shown";
  // A line count needs the text laid out: a box not yet written takes it first.
  later.Off1Click();
  later.ConvertRecord(record);
  EXPECT_EQ(SendMessageW(later.Memo1.Handle(), EM_GETLINECOUNT, 0, 0), 2 + 6250 + 1);

  ProgramWindows shown;
  TForm1& form = shown.Main();
  form.On1Click();
  form.ConvertRecord(record);
  EXPECT_EQ(PanelTexts(form), expected) << "written in slices while shown";
  // As after one WM_SETTEXT: editable again, the caret and the view at the first line.
  for (const HWND box : {form.Memo1.Handle(), form.RichEdit1.Handle(), form.RichEdit3.Handle()}) {
    EXPECT_EQ(GetWindowLongW(box, GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(SendMessageW(box, EM_GETSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  }
  EXPECT_EQ(form.ProgressBar1.Position(), 6250);
}

TEST(Conversion, ThePauseKeepsTheWindowAliveWithoutKeepingAProcessorBusy) {
  ProgramWindows windows;
  const TForm1& form = windows.Main();
  // Handled during the pause: the test does not pump once the conversion has returned.
  PostMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(IDM_DEBUG_ON, 0), 0);
  const DWORD start = GetTickCount();
  const double cpuBefore = CpuSeconds();
  windows.Main().ConvertRecord(RecordBuilder::OneChannel(10).Bytes());  // little else to do
  const DWORD elapsed = GetTickCount() - start;
  const double cpu = CpuSeconds() - cpuBefore;
  EXPECT_GT(elapsed, 2000u);
  EXPECT_LT(cpu, 0.5) << "the pause must wait for messages, not spin";
  EXPECT_TRUE(form.Memo1.Visible());
  RECT frame;
  GetWindowRect(form.Handle(), &frame);
  EXPECT_EQ(frame.right - frame.left, 844);
}

}  // namespace
}  // namespace talvorne
