// Another program driving Talvorne.exe through its DDE service: FOCUS brings its window forward,
// GETDATA fetches a curve from the fake oscilloscope and hands it to the stand-in Zuruzevu.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>

#include "resources/resource_ids.h"
#include "tests/support/record_builder.h"
#include "tests/wine/support/dde_client.h"
#include "tests/wine/support/oscilloscope_session.h"
#include "tests/wine/support/stand_in_zuruzevu.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

using namespace talvorne::testing;

// Waits until the condition holds or 30 seconds have passed, handling this thread's messages
// meanwhile: Talvorne's connection to Zuruzevu waits for every DDE window to answer, this test's
// clients' too.
bool Eventually(const std::function<bool()>& condition) {
  for (int i = 0; i < 1500; ++i) {
    if (condition()) return true;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(20);
  }
  return condition();
}

// A window of this process in front of Talvorne's, as the user's other program would be.
class OtherProgramsWindow {
 public:
  OtherProgramsWindow()
      : window_(CreateWindowExW(0, L"STATIC", L"Autre programme", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr)) {}
  ~OtherProgramsWindow() { DestroyWindow(window_); }
  bool TakeForeground() const {
    SetForegroundWindow(window_);
    return Eventually([&] { return GetForegroundWindow() == window_; });
  }

 private:
  HWND window_;
};

// A command sent as another program would, and answered DDE_FACK.
bool Acknowledged(const DdeClient& client, HCONV conversation, const char* command) {
  const DdeClient::Outcome outcome = client.Execute(conversation, command);
  return outcome.completed && (outcome.flags & DDE_FACK) != 0;
}

template <class Text>
std::size_t LineCount(const Text& table) {
  return static_cast<std::size_t>(std::count(table.begin(), table.end(), '\n'));
}

TEST(DdeCommands, FocusAndAGetdataBeforeConnexionBringTheWindowForwardAndNothingElse) {
  const FakeUsbScenario scenario = OscilloscopeHolding(RecordBuilder::OneChannel(20).Bytes());
  OscilloscopeSession talvorne(&scenario);
  const HWND window = talvorne.Window();
  const OtherProgramsWindow other;
  const DdeClient client;
  const HCONV conversation = client.Connect("Talvorne", "ServeurDDE");
  ASSERT_NE(conversation, nullptr);

  // Minimised and behind, then only behind.
  for (const auto& [command, minimise] : {std::pair{"FOCUS", true}, {"GETDATA", false}}) {
    SCOPED_TRACE(command);
    if (minimise) ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(other.TakeForeground());
    EXPECT_TRUE(Acknowledged(client, conversation, command));
    EXPECT_TRUE(Eventually([&] { return !IsIconic(window) && GetForegroundWindow() == window; }))
        << IsIconic(window);
  }
  // The about box comes forward with the main window, still on top of it.
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0);
  const HWND about = WaitForTopLevelWindow(L"A propos", std::nullopt);
  ASSERT_NE(about, nullptr);
  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(other.TakeForeground());
  EXPECT_TRUE(Acknowledged(client, conversation, "FOCUS(Talvorne)"));
  EXPECT_TRUE(Eventually([&] { return !IsIconic(window) && GetForegroundWindow() == about; }));
  EXPECT_TRUE(IsWindowVisible(about));

  // Before Connexion the GETDATA neither scanned the busses nor said anything.
  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
  EXPECT_TRUE(talvorne.UsbLog().empty());
  EXPECT_TRUE(talvorne.Boxes().empty());
}

// One channel of n samples: each acquisition's table is told apart by its length.
Reply CurveOf(std::int32_t n) {
  RecordBuilder record = RecordBuilder::OneChannel(n);
  record.ChannelCharacter('1').TimebaseCode(16).VoltsCode(1, 4).Sample(1, 1, 31);
  return Reply().Header(HeaderFor(record.Bytes().size())).Record(record.Bytes());
}

TEST(DdeCommands, GetdataAfterConnexionSendsEachNewCurveOnceItIsWhole) {
  ScratchFolder zuruzevu;
  const StandInZuruzevuReaper reaper({zuruzevu.Path()});
  const ChildProcess running(PlaceStandInZuruzevu(zuruzevu.Path()));
  ASSERT_TRUE(WaitForZuruzevuEvent(zuruzevu.Path(), "register", 20s));
  FakeUsbScenario scenario;
  scenario.Bus().Device(kOriginalOscilloscope.vendorId, kOriginalOscilloscope.productId);
  for (std::int32_t n : {20, 30, 40, 50, 55}) scenario.Acquisition(CurveOf(n));
  scenario.Acquisition(CurveOf(60).RecordDelivered(100));  // of 185
  scenario.Acquisition(CurveOf(70));
  OscilloscopeSession talvorne(&scenario);
  talvorne.Click("Button3");
  // The test's own clients: one waits for its answers, the other sends a command and goes on.
  const DdeClient client, unwaiting;
  const HCONV conversation = client.Connect("Talvorne", "ServeurDDE");
  ASSERT_NE(conversation, nullptr);
  const HCONV unanswered = unwaiting.Connect("Talvorne", "ServeurDDE");
  ASSERT_NE(unanswered, nullptr);
  const auto received = [&](std::size_t count) {
    return Eventually(
        [&] { return WaitForZuruzevuEvent(zuruzevu.Path(), "clipboard", 0s, count); });
  };
  const auto sends = [&](std::size_t count) {
    std::vector<std::string> expected = {"start show=-1"};
    for (std::size_t i = 0; i < count; ++i) {
      expected.insert(expected.end(), kSendToRunningZuruzevu.begin(), kSendToRunningZuruzevu.end());
    }
    return expected;
  };

  // Answered first: the acquisition and the send come after.
  EXPECT_TRUE(Acknowledged(client, conversation, "GETDATA"));
  const DWORD acknowledged = GetTickCount();
  ASSERT_TRUE(received(1));
  EXPECT_LE(acknowledged, TickOf(zuruzevu.Path(), "connect"));
  EXPECT_EQ(Exchange(zuruzevu.Path()), sends(1));
  EXPECT_EQ(LastTableReceived(zuruzevu.Path()), Narrow(talvorne.Text("Memo1")));
  EXPECT_EQ(LineCount(talvorne.Text("Memo1")), 2u + 20u);

  // Two at once: two acquisitions, one after the other, each table sent whole.
  ASSERT_TRUE(unwaiting.ExecuteWithoutWaiting(unanswered, "GETDATA"));
  EXPECT_TRUE(Acknowledged(client, conversation, "GETDATA"));
  ASSERT_TRUE(received(3)) << ::testing::PrintToString(Exchange(zuruzevu.Path()));
  EXPECT_EQ(Exchange(zuruzevu.Path()), sends(3));
  const auto tables = TablesReceived(zuruzevu.Path());
  ASSERT_EQ(tables.size(), 3u);
  EXPECT_EQ(LineCount(tables[1]), 2u + 30u);
  EXPECT_EQ(tables[2], Narrow(talvorne.Text("Memo1")));
  EXPECT_EQ(LineCount(talvorne.Text("Memo1")), 2u + 40u);

  // During the pause of the user's own "Récupération", a GETDATA has that table sent, once it is
  // whole, and fetches nothing more.
  const std::wstring headerOnly = L"t\tU1\r\ns\tmV\r\n";
  talvorne.PostClick("Button4");
  ASSERT_TRUE(Eventually([&] { return talvorne.Text("Memo1") == headerOnly; }));
  EXPECT_TRUE(Acknowledged(client, conversation, "GETDATA"));
  ASSERT_TRUE(received(4));
  EXPECT_EQ(LineCount(TablesReceived(zuruzevu.Path()).back()), 2u + 50u);
  EXPECT_EQ(Calls(talvorne.UsbLog(), "usb_bulk_write").size(), 4u);

  // During the about box, GETDATA waits until the box is closed, then runs once.
  PostMessageW(talvorne.Window(), WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0);
  const HWND about = WaitForTopLevelWindow(L"A propos", std::nullopt);
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(Acknowledged(client, conversation, "GETDATA"));
  EXPECT_TRUE(Acknowledged(client, conversation, "GETDATA"));
  Sleep(1000);
  EXPECT_EQ(Calls(talvorne.UsbLog(), "usb_bulk_write").size(), 4u);
  PostMessageW(about, WM_CLOSE, 0, 0);
  ASSERT_TRUE(received(5));
  EXPECT_EQ(LineCount(TablesReceived(zuruzevu.Path()).back()), 2u + 55u);
  EXPECT_EQ(Calls(talvorne.UsbLog(), "usb_bulk_write").size(), 5u);

  // A record that comes short: the button's box, and nothing sent.
  EXPECT_TRUE(Acknowledged(client, conversation, "GETDATA"));
  ASSERT_TRUE(Eventually([&] { return !talvorne.Boxes().empty(); }));
  const SeenBox box = talvorne.Boxes().front();
  EXPECT_EQ(box.text,
            L"Courbe incomplète : 100 octets reçus sur 185. Le tableau n'a pas changé ; "
            L"recommencez la récupération.");
  EXPECT_EQ(box.caption, L"Talvorne");
  EXPECT_EQ(box.owner, talvorne.Window());
  EXPECT_EQ(LineCount(talvorne.Text("Memo1")), 2u + 55u);
  EXPECT_EQ(Calls(talvorne.UsbLog(), "usb_bulk_write").size(), 6u);

  // Closed during a GETDATA's pause with another one waiting: neither sends nor touches the
  // oscilloscope again.
  ASSERT_TRUE(unwaiting.ExecuteWithoutWaiting(unanswered, "GETDATA"));
  ASSERT_TRUE(Eventually([&] { return talvorne.Text("Memo1") == headerOnly; }));
  EXPECT_TRUE(Acknowledged(client, conversation, "GETDATA"));
  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
  const auto log = talvorne.UsbLog();
  EXPECT_EQ(Calls(log, "usb_bulk_write").size(), 7u);
  EXPECT_EQ(log.back(), "usb_close handle1 -> 0");
  EXPECT_EQ(TablesReceived(zuruzevu.Path()).size(), 5u);
  EXPECT_EQ(talvorne.Boxes().size(), 1u);
}

}  // namespace
}  // namespace talvorne
