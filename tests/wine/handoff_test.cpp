// "Régressi" clicked in Talvorne.exe after an acquisition from the fake oscilloscope, with the
// stand-in Zuruzevu running, startable from where the lookup finds it, or nowhere: what reaches
// Zuruzevu, in which order, how it was started, and what the user sees.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <iostream>
#include <thread>

#include "tests/support/record_builder.h"
#include "tests/wine/support/box_watcher.h"
#include "tests/wine/support/dde_client.h"
#include "tests/wine/support/oscilloscope_session.h"
#include "tests/wine/support/program_windows.h"
#include "tests/wine/support/stand_in_zuruzevu.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

using namespace talvorne::testing;

constexpr std::int32_t kSamples = 20;

// A short one-channel table: the send, not the conversion, is under test.
FakeUsbScenario ShortTable() {
  RecordBuilder record = RecordBuilder::OneChannel(kSamples);
  record.ChannelCharacter('1').TimebaseCode(16).VoltsCode(1, 4).Sample(1, 1, 31);
  return OscilloscopeHolding(record.Bytes());
}

// HKEY_CURRENT_USER\Software\Zuruzevu, empty before and after each test.
class ZuruzevuKeys {
 public:
  ZuruzevuKeys() { Clear(); }
  ~ZuruzevuKeys() { Clear(); }
  static void SetPath(const wchar_t* key, DWORD type, const std::wstring& text) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Path", type, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  static bool Exists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Zuruzevu", 0, KEY_READ, &key) != 0) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }

 private:
  static void Clear() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Zuruzevu"); }
};

// Talvorne started from its own folder (or in another current folder) with the table acquired,
// ready for "Régressi".
class ReadyToSend : public OscilloscopeSession {
 public:
  explicit ReadyToSend(const std::function<void(const std::filesystem::path&)>& beforeStart = {},
                       const std::filesystem::path& currentFolder = {})
      : OscilloscopeSession(&scenario_, beforeStart, currentFolder) {
    Click("Button3");
    Click("Button4");
  }

  // Clicks "Régressi" and returns when the send is over, with the tick it was clicked at.
  DWORD Send() const {
    const DWORD clicked = GetTickCount();
    Click("Button5");
    return clicked;
  }

 private:
  inline static const FakeUsbScenario scenario_ = ShortTable();
};

TEST(Handoff, ARunningZuruzevuGetsTheStoredLinesOfTheTableAndLoadsThem) {
  ZuruzevuKeys keys;
  ScratchFolder zuruzevu;
  const StandInZuruzevuReaper reaper({zuruzevu.Path()});
  ChildProcess running(PlaceStandInZuruzevu(zuruzevu.Path()));
  ASSERT_TRUE(WaitForZuruzevuEvent(zuruzevu.Path(), "register", 20s))
      << ::testing::PrintToString(ZuruzevuEvents(zuruzevu.Path()));
  ReadyToSend talvorne;
  {
    // Another program's conversation with Talvorne's own service goes on meanwhile. (The client
    // goes before the waits below, which do not handle its messages.)
    const DdeClient client;
    const HCONV held = client.Connect("Talvorne", "ServeurDDE");
    ASSERT_NE(held, nullptr);

    // A line wider than the box, as a user may type it in debug mode, is sent whole.
    const std::wstring longLine = L"0.5\t" + std::wstring(300, L'7') + L" \t1";
    const std::wstring table = talvorne.Text("Memo1") + longLine;
    SetWindowTextW(talvorne.Control("Memo1"), table.c_str());
    // Another program holds the clipboard for a moment as the send asks for it.
    std::atomic<int> holding = -1;
    std::thread holder([&] {
      holding = OpenClipboard(nullptr) ? 1 : 0;
      Sleep(100);
      if (holding == 1) CloseClipboard();
    });
    while (holding < 0) Sleep(1);
    EXPECT_EQ(holding, 1);
    const DWORD clicked = talvorne.Send();
    holder.join();
    ASSERT_TRUE(WaitForZuruzevuEvent(zuruzevu.Path(), "clipboard", 10s))
        << ::testing::PrintToString(ZuruzevuEvents(zuruzevu.Path()));

    std::vector<std::string> expected = {"start show=-1"};
    expected.insert(expected.end(), kSendToRunningZuruzevu.begin(), kSendToRunningZuruzevu.end());
    EXPECT_EQ(Exchange(zuruzevu.Path()), expected);
    EXPECT_EQ(LastTableReceived(zuruzevu.Path()), Narrow(table + L"\r\n"));
    EXPECT_TRUE(talvorne.Boxes().empty());
    EXPECT_EQ(client.Execute(held, "FOCUS").flags & DDE_FACK, DDE_FACK);
    std::cout << "Send to a running Zuruzevu: " << TickOf(zuruzevu.Path(), "execute") - clicked
              << " ms from the click to the execute\n";
  }

  // "Régressi" clicked during the next acquisition's pause waits for the whole new table.
  talvorne.PostClick("Button4");
  const std::wstring headerOnly = L"t\tU1\r\ns\tmV\r\n";
  for (int i = 0; i < 100 && talvorne.Text("Memo1") != headerOnly; ++i) Sleep(20);
  ASSERT_EQ(talvorne.Text("Memo1"), headerOnly) << "the pause was not seen";
  talvorne.PostClick("Button5");
  ASSERT_TRUE(WaitForZuruzevuEvent(zuruzevu.Path(), "clipboard", 20s, 2))
      << ::testing::PrintToString(ZuruzevuEvents(zuruzevu.Path()));
  const std::wstring sent = talvorne.Text("Memo1");
  EXPECT_EQ(std::count(sent.begin(), sent.end(), L'\n'), 2 + kSamples);
  EXPECT_EQ(LastTableReceived(zuruzevu.Path()), Narrow(sent));
  const auto events = Exchange(zuruzevu.Path());
  EXPECT_EQ(std::count(events.begin(), events.end(), "execute CLIP|LOAD"), 2);
  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
}

TEST(Handoff, ZuruzevuNamedInTheRegistryIsStartedByTheShellAndGivenTwoSeconds) {
  ZuruzevuKeys keys;
  ScratchFolder installed;
  const std::filesystem::path program = PlaceStandInZuruzevu(installed.Path());
  // An expandable value is taken literally: expanded, this one would name the program.
  ZuruzevuKeys::SetPath(L"Software\\Zuruzevu\\Zuruzevu", REG_EXPAND_SZ,
                        L"%TEMP%\\" + installed.Path().filename().wstring() + L"\\Zuruzevu.exe");
  ZuruzevuKeys::SetPath(L"Software\\Zuruzevu", REG_SZ, program.wstring());
  // The copy beside the program comes later in the lookup's order.
  ReadyToSend talvorne([](const std::filesystem::path& folder) { PlaceStandInZuruzevu(folder); });
  const StandInZuruzevuReaper reaper({installed.Path(), talvorne.Folder()});

  const DWORD clicked = talvorne.Send();
  ASSERT_TRUE(WaitForZuruzevuEvent(installed.Path(), "clipboard", 10s))
      << ::testing::PrintToString(ZuruzevuEvents(installed.Path()));
  std::vector<std::string> expected = {"start show=10"};  // SW_SHOWDEFAULT
  expected.insert(expected.end(), kSendToRunningZuruzevu.begin(), kSendToRunningZuruzevu.end());
  EXPECT_EQ(Exchange(installed.Path()), expected);
  EXPECT_GE(TickOf(installed.Path(), "connect") - clicked, 2000u);
  EXPECT_TRUE(ZuruzevuEvents(talvorne.Folder()).empty());
  EXPECT_TRUE(talvorne.Boxes().empty());
}

TEST(Handoff, ZuruzevuClosedBetweenTwoSendsIsStartedAgainMinimisedNotByTheShell) {
  ZuruzevuKeys keys;  // none: the lookup makes the key and goes on beside the program
  ReadyToSend talvorne([](const std::filesystem::path& folder) {
    PlaceStandInZuruzevu(folder, "quit_after 1\nrefuse_advise\n");
  });
  const StandInZuruzevuReaper reaper({talvorne.Folder()});
  EXPECT_TRUE(ZuruzevuKeys::Exists());

  talvorne.Send();
  ASSERT_TRUE(WaitForZuruzevuEvent(talvorne.Folder(), "quit", 10s))
      << ::testing::PrintToString(ZuruzevuEvents(talvorne.Folder()));
  talvorne.Send();
  ASSERT_TRUE(WaitForZuruzevuEvent(talvorne.Folder(), "quit", 10s, 2))
      << ::testing::PrintToString(ZuruzevuEvents(talvorne.Folder()));
  // A refused item changes nothing for the command.
  const std::vector<std::string> send = {"connect topic=ServeurDDE -> accepted",
                                         "advstart item=ServeurItem format=1 -> refused",
                                         "execute CLIP|LOAD", "disconnect", "quit"};
  std::vector<std::string> expected = {"start show=10"};
  expected.insert(expected.end(), send.begin(), send.end());
  expected.push_back("start show=7");  // SW_SHOWMINNOACTIVE
  expected.insert(expected.end(), send.begin(), send.end());
  EXPECT_EQ(Exchange(talvorne.Folder()), expected);
  EXPECT_TRUE(talvorne.Boxes().empty());
}

TEST(Handoff, AZuruzevuThatNeverAnswersIsStartedOncePerAttemptAndTheUserIsTold) {
  ZuruzevuKeys keys;
  ReadyToSend talvorne([](const std::filesystem::path& folder) {
    PlaceStandInZuruzevu(folder, "never_register\n");
  });
  const StandInZuruzevuReaper reaper({talvorne.Folder()});

  talvorne.Send();
  const auto boxes = talvorne.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, L"Impossible de lancer Zuruzevu1");
  // In front with the program, though the starts may have given the foreground to Zuruzevu.
  EXPECT_EQ(boxes[0].owner, talvorne.Window());
  // By the shell, then minimised at each of the two attempts.
  ASSERT_TRUE(WaitForZuruzevuEvent(talvorne.Folder(), "start", 10s, 3));
  EXPECT_EQ(Exchange(talvorne.Folder()),
            (std::vector<std::string>{"start show=10", "start show=7", "start show=7"}));
  EXPECT_EQ(ClipboardText(), talvorne.Text("Memo1"));
}

// C:\Program Files\Evariste\Zuruzevu, or the same under "Program Files (x86)", removed with what
// it holds when the test is over.
class InstalledUnderProgramFiles {
 public:
  explicit InstalledUnderProgramFiles(int csidl = CSIDL_PROGRAM_FILES) {
    wchar_t programFiles[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, 0, programFiles);
    evariste_ = std::filesystem::path(programFiles) / L"Evariste";
  }
  ~InstalledUnderProgramFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(evariste_, ignored);
  }
  std::filesystem::path Folder() const { return evariste_ / L"Zuruzevu"; }

 private:
  std::filesystem::path evariste_;
};

TEST(Handoff, A32BitZuruzevuThatDoesNotAnswerInTimeIsStartedASecondTimeMinimised) {
  ZuruzevuKeys keys;
  InstalledUnderProgramFiles installed(CSIDL_PROGRAM_FILESX86);
  PlaceStandInZuruzevu(installed.Folder(), "ignore_connects 1\n");
  ReadyToSend talvorne;
  const StandInZuruzevuReaper reaper({installed.Folder()});

  talvorne.Send();
  ASSERT_TRUE(WaitForZuruzevuEvent(installed.Folder(), "clipboard", 10s))
      << ::testing::PrintToString(ZuruzevuEvents(installed.Folder()));
  std::vector<std::string> starts, connects;
  for (const std::string& event : Exchange(installed.Folder())) {
    if (event.rfind("start", 0) == 0) starts.push_back(event);
    if (event.rfind("connect", 0) == 0) connects.push_back(event);
  }
  EXPECT_EQ(starts, (std::vector<std::string>{"start show=10", "start show=7"}));
  ASSERT_FALSE(connects.empty());
  EXPECT_EQ(connects.front(), "connect topic=ServeurDDE -> ignored");
  const auto events = ZuruzevuEvents(installed.Folder());
  EXPECT_EQ(std::count(events.begin(), events.end(), "execute CLIP|LOAD"), 1);
  EXPECT_TRUE(talvorne.Boxes().empty());
}

TEST(Handoff, APathStoredAsANumberIsReportedAndLeavesNoZuruzevuToStart) {
  ZuruzevuKeys keys;
  const DWORD number = 1;
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Zuruzevu\\Zuruzevu", L"Path", REG_DWORD, &number,
                  sizeof number);
  // Where the lookup would have looked next.
  InstalledUnderProgramFiles installed;
  PlaceStandInZuruzevu(installed.Folder());
  // And a copy in the folder Talvorne is started in, which a start by the bare name never takes.
  ScratchFolder current;
  PlaceStandInZuruzevu(current.Path());
  ReadyToSend talvorne({}, current.Path());
  const StandInZuruzevuReaper reaper({installed.Folder(), current.Path()});
  auto boxes = talvorne.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, L"Type de données incorrect pour 'Path'");
  EXPECT_EQ(boxes[0].caption, L"Talvorne");
  EXPECT_EQ(boxes[0].owner, nullptr);  // the main window was not on screen yet

  // The shell cannot start the bare name, nor can the minimised start, twice.
  const DWORD clicked = talvorne.Send();
  const DWORD took = GetTickCount() - clicked;
  boxes = talvorne.Boxes();
  ASSERT_EQ(boxes.size(), 2u) << ::testing::PrintToString(ZuruzevuEvents(current.Path()));
  EXPECT_EQ(boxes[1].text, L"Impossible de lancer Zuruzevu1");
  EXPECT_EQ(boxes[1].caption, L"Talvorne");
  EXPECT_FALSE(boxes[1].hasIcon);
  EXPECT_EQ(boxes[1].owner, talvorne.Window());
  EXPECT_GE(took, 1000u);  // between the two attempts
  EXPECT_LT(took, 2500u);  // and no wait for a start that failed
  EXPECT_TRUE(ZuruzevuEvents(installed.Folder()).empty());
  EXPECT_TRUE(ZuruzevuEvents(current.Path()).empty());
  EXPECT_EQ(ClipboardText(), talvorne.Text("Memo1"));
}

TEST(Handoff, AClipboardThatWillNotOpenEndsTheSendBeforeAnyExchange) {
  ProgramWindows windows;
  const HWND ddeForm = windows.Dde().Handle();
  wchar_t caption[32] = {};
  GetWindowTextW(ddeForm, caption, 32);
  EXPECT_STREQ(caption, L"Acquisition");
  EXPECT_FALSE(IsWindowVisible(ddeForm));

  // Another program holds the clipboard open.
  std::atomic<bool> opened = false, done = false;
  std::thread holder([&] {
    opened = OpenClipboard(nullptr) != FALSE;
    while (!done) Sleep(10);
    CloseClipboard();
  });
  while (!opened) Sleep(10);
  BoxWatcher watcher;
  SetCursor(LoadCursorW(nullptr, IDC_CROSS));
  const TForm1& form = windows.Main();
  SendMessageW(form.Handle(), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(form.Button5.Handle()), BN_CLICKED),
               reinterpret_cast<LPARAM>(form.Button5.Handle()));
  done = true;
  holder.join();

  const auto boxes = watcher.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text.rfind(L"Impossible d'ouvrir le Presse-papiers : ", 0), 0u)
      << boxes[0].text;
  EXPECT_GT(boxes[0].text.size(), 41u);  // the system's reason follows
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  // No probe, so no start and no conversation, came after it.
  const HANDLE semaphore = OpenSemaphoreW(SYNCHRONIZE, FALSE, L"Zuruzevu");
  EXPECT_EQ(semaphore, nullptr);
  if (semaphore != nullptr) CloseHandle(semaphore);
}

}  // namespace
}  // namespace talvorne
