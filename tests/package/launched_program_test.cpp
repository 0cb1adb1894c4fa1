// Talvorne as the Linux package's launcher started it, in the launcher's Wine prefix, over the
// stand-in Linux libusb-0.1 holding one oscilloscope: "Connexion" opens the oscilloscope and
// "Récupération" brings its table; then Talvorne is closed. deb_package_test.sh runs this program
// in that prefix, from the folder Talvorne was started in, where the stand-in reads its scenario.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/fake_usb_scenario.h"
#include "tests/support/record_builder.h"
#include "tests/wine/support/box_watcher.h"
#include "tests/wine/support/child_process.h"
#include "tests/wine/support/main_window_controls.h"

namespace talvorne {
namespace {

using namespace talvorne::testing;

// A first start makes the prefix before the program comes up.
constexpr auto kStartTimeout = 60s;

TEST(LaunchedProgram, ConnexionOpensTheOscilloscopeAndRecuperationBringsTheTable) {
  RecordBuilder record = RecordBuilder::TwoChannels(5000);
  record.TimebaseCode(16).VoltsCode(1, 4).VoltsCode(2, 10).Sample(1, 1, 31).Sample(2, 5000, -1);
  // Read at Connexion, when the program first calls the library.
  OscilloscopeHolding(record.Bytes()).WriteTo(std::filesystem::current_path());

  const HWND window = WaitForTopLevelWindow(L"Talvorne", std::nullopt, kStartTimeout);
  ASSERT_NE(window, nullptr) << "Talvorne's main window did not appear";
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const BoxWatcher boxes(processId);
  const auto text = [window](const char* name) { return TextOf(MainWindowControl(window, name)); };

  ClickAndWait(window, "Button3");
  EXPECT_TRUE(IsWindowEnabled(MainWindowControl(window, "Button4")));
  ClickAndWait(window, "Button4");
  EXPECT_EQ(text("Label7"), L"READ DATA : 20116/20116");
  const std::wstring table = text("Memo1");
  EXPECT_TRUE(table.starts_with(L"t\tU1\tU2\r\ns\tmV\tmV\r\n2E-6\t62\t0\r\n"));  // the first
  EXPECT_TRUE(table.ends_with(L"\r\n0.01\t0\t-200\r\n"));  // and the last samples
  EXPECT_TRUE(boxes.Boxes().empty());

  PostMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace talvorne
