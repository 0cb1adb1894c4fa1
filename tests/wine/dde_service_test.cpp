// Talvorne.exe's own DDE service driven from this process as another program would: which
// connections it accepts, what its commands bring up on its screen, and what it refuses.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/wine/support/box_watcher.h"
#include "tests/wine/support/child_process.h"
#include "tests/wine/support/dde_client.h"
#include "tests/wine/support/program_copy.h"

namespace talvorne {
namespace {

using namespace talvorne::testing;

// Talvorne started from a folder of its own under that file name, its boxes answered after a while
// so that a client can be seen waiting for them.
class RunningTalvorne {
 public:
  explicit RunningTalvorne(const wchar_t* fileName = L"Talvorne.exe")
      : program_(Copy(folder_.Path(), fileName)), boxes_(program_.Id(), kBoxUpFor) {
    window_ = program_.WaitForWindow(L"Talvorne");
  }

  static constexpr auto kBoxUpFor = std::chrono::milliseconds(700);

  HWND Window() const { return window_; }
  std::vector<SeenBox> Boxes() const { return boxes_.Boxes(); }
  std::vector<SeenBox> WaitForBox(std::size_t count) const { return boxes_.WaitFor(count, 10s); }
  std::optional<DWORD> Close() const {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return program_.WaitForExit();
  }

 private:
  static std::filesystem::path Copy(const std::filesystem::path& folder, const wchar_t* name) {
    const std::filesystem::path copy = folder / name;
    std::filesystem::rename(CopyProgramInto(folder), copy);
    return copy;
  }

  ScratchFolder folder_;
  ChildProcess program_;
  BoxWatcher boxes_;
  HWND window_ = nullptr;
};

// The service's error box, up on Talvorne's screen.
bool ErrorBoxUp() {
  return FindWindowW(L"#32770", L"Erreur") != nullptr;
}

TEST(DdeService, CommandsOnServeurDdeAreTakenOrReportedAndAcknowledgedBeforeTheBoxComes) {
  RunningTalvorne talvorne;
  ASSERT_NE(talvorne.Window(), nullptr);
  DdeClient client;
  // Topics are compared ignoring case.
  const HCONV conversation = client.Connect("Talvorne", "serveurdde");
  ASSERT_NE(conversation, nullptr);

  const std::pair<const char*, const wchar_t*> commands[] = {
      {"FOCUS", nullptr},
      {"fOcUs", nullptr},
      {"GETDATA(1, 2)", nullptr},
      {"FOCUS\r\n", nullptr},
      {"FOCUS (1)", L"RS232 Fonction Inconnue : FOCUS (1)"},
      {" GETDATA", L"RS232 Fonction Inconnue :  GETDATA"},
      {"(FOCUS)", L"RS232 Fonction Inconnue : (FOCUS)"},
      {"Ouvre l'\xe9t\xe9", L"RS232 Fonction Inconnue : Ouvre l'été"},  // ANSI text
      {"FOCUS\r\nGETDATA", L"Un message à la fois SVP"},
      {"FOCUS\nFOCUS", L"Un message à la fois SVP"},
      {"", L"Un message à la fois SVP"},
  };
  std::size_t expectedBoxes = 0;
  for (const auto& [command, box] : commands) {
    SCOPED_TRACE(command);
    const auto outcome = client.Execute(conversation, command);
    EXPECT_TRUE(outcome.completed);
    EXPECT_EQ(outcome.flags & DDE_FACK, DDE_FACK);
    const auto boxes = talvorne.Boxes();
    if (box == nullptr) {
      EXPECT_EQ(boxes.size(), expectedBoxes);
      continue;
    }
    // Answered without waiting for the box, which comes after.
    EXPECT_LT(outcome.tookMs, RunningTalvorne::kBoxUpFor.count());
    const auto shown = talvorne.WaitForBox(++expectedBoxes);
    ASSERT_EQ(shown.size(), expectedBoxes);
    for (int i = 0; i < 500 && ErrorBoxUp(); ++i) Sleep(10);
    EXPECT_EQ(shown.back().text, box);
    EXPECT_EQ(shown.back().caption, L"Erreur");
    EXPECT_EQ(shown.back().owner, talvorne.Window());
    EXPECT_TRUE(shown.back().hasIcon);
    EXPECT_EQ(shown.back().buttons, std::vector<std::wstring>{L"OK"});
  }

  // While a box is up, another program's command is answered busy at once and shows nothing.
  {
    const DdeClient another;
    ASSERT_TRUE(another.ExecuteWithoutWaiting(another.Connect("Talvorne", "ServeurDDE"), "XYZ"));
    for (int i = 0; i < 500 && !ErrorBoxUp(); ++i) Sleep(10);
    const auto busy = client.Execute(conversation, "ABC");
    EXPECT_EQ(busy.flags & (DDE_FBUSY | DDE_FACK), DDE_FBUSY) << busy.completed;
    EXPECT_LT(busy.tookMs, RunningTalvorne::kBoxUpFor.count());
    const auto boxes = talvorne.WaitForBox(expectedBoxes + 1);
    ASSERT_EQ(boxes.size(), ++expectedBoxes);
    EXPECT_EQ(boxes.back().text, L"RS232 Fonction Inconnue : XYZ");
  }

  // No data is served, none is taken.
  EXPECT_EQ(client.Request(conversation, "ServeurItem"), std::nullopt);
  EXPECT_EQ(client.Poke(conversation, "ServeurItem", "1").flags & DDE_FACK, 0u);

  // Closing the program ends the conversation.
  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
  EXPECT_TRUE(client.EndedByServer(conversation));
}

TEST(DdeService, AWindowsCaptionIsATopicButItsCommandsAreNotProcessed) {
  RunningTalvorne talvorne;
  DdeClient client;
  for (const char* caption : {"Talvorne", "A propos", "acquisition"}) {
    SCOPED_TRACE(caption);
    const HCONV conversation = client.Connect("Talvorne", caption);
    ASSERT_NE(conversation, nullptr);
    EXPECT_EQ(client.Execute(conversation, "XYZ").flags & DDE_FACK, 0u);
    EXPECT_EQ(client.Request(conversation, "ServeurItem"), std::nullopt);
    client.Disconnect(conversation);
  }
  EXPECT_EQ(client.Connect("Talvorne", "Rien"), nullptr);
  EXPECT_TRUE(talvorne.Boxes().empty());
}

TEST(DdeService, ClientsLookingForAnyServiceFindItOnlyByTopic) {
  RunningTalvorne talvorne;
  DdeClient client;
  const HCONV anyService = client.Connect(nullptr, "ServeurDDE");
  ASSERT_NE(anyService, nullptr);
  EXPECT_EQ(client.Execute(anyService, "FOCUS").flags & DDE_FACK, DDE_FACK);
  client.Disconnect(anyService);

  // A wild initiate: the service answers a topic it has, never one it lacks or none at all.
  const auto answering = ServicesAnsweringInitiate(L"ServeurDDE");
  EXPECT_EQ(std::count(answering.begin(), answering.end(), L"Talvorne"), 1);
  for (const wchar_t* topic : {L"Rien", static_cast<const wchar_t*>(nullptr)}) {
    const auto none = ServicesAnsweringInitiate(topic);
    EXPECT_EQ(std::count(none.begin(), none.end(), L"Talvorne"), 0);
  }
}

TEST(DdeService, ACopyUnderAnotherFileNameAnswersUnderThatNameUpToItsFirstDot) {
  RunningTalvorne copy(L"Mon.Talvorne.v2.exe");
  ASSERT_NE(copy.Window(), nullptr);
  DdeClient client;
  EXPECT_EQ(client.Connect("Talvorne", "ServeurDDE"), nullptr);
  const HCONV conversation = client.Connect("Mon", "ServeurDDE");
  ASSERT_NE(conversation, nullptr);
  EXPECT_EQ(client.Execute(conversation, "GETDATA").flags & DDE_FACK, DDE_FACK);
  client.Disconnect(conversation);
}

}  // namespace
}  // namespace talvorne
