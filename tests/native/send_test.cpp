#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>

#include "decoding/lines.h"
#include "handoff/dde_error_text.h"
#include "handoff/execute.h"
#include "tests/support/recording_view.h"
#include "tests/support/simulated_usb.h"
#include "win32/one_at_a_time.h"

namespace talvorne {
namespace {

using testing::Answers;
using ::testing::ElementsAre;
using testing::Events;

// Zuruzevu's side of the send, scripted, with every call of the send written into one event list.
class ScriptedZuruzevu final : public DdeClientLibrary, public ZuruzevuStarter, public SendView {
 public:
  explicit ScriptedZuruzevu(Events& events) : events_(events) {}

  bool semaphoreExisted = true;
  bool shellStarts = false;
  std::optional<std::string> ansiPath = "C:\\Program Files\\Zuruzevu.exe";
  Answers winExecStarts{0};
  Answers connects{1};  // 0: nobody answers
  bool advises = true;
  std::optional<std::string> itemText = "1\r\n2";
  bool executes = true;
  bool throwOnConnect = false;
  // Run once, inside the next request: Windows dispatches the user's clicks while a synchronous
  // transaction waits.
  std::function<void()> duringRequest;

  StringHandle CreateStringHandle(std::string_view text) override {
    names_.emplace_back(text);
    return Handle<StringHandle>(names_.size());
  }
  void FreeStringHandle(StringHandle handle) override { Log("free " + Name(handle)); }
  Conversation Connect(StringHandle service, StringHandle topic) override {
    if (throwOnConnect) throw std::runtime_error("DDE");
    const bool answered = connects.Next() != 0;
    Log("connect " + Name(service) + "/" + Name(topic) + (answered ? "" : " -> none"));
    return answered ? Handle<Conversation>(42) : nullptr;
  }
  unsigned ConversationFormat(Conversation) override { return 0; }
  void SetUserHandle(Conversation, const void* owner) override {
    Log(owner != nullptr ? "attach" : "detach");
  }
  void Disconnect(Conversation) override { Log("disconnect"); }
  bool StartAdvise(Conversation, StringHandle item, unsigned format, unsigned timeoutMs) override {
    Log("advise " + Name(item) + Details(format, timeoutMs) + (advises ? "" : " -> refused"));
    return advises;
  }
  std::optional<std::string> Request(Conversation, StringHandle item, unsigned format,
                                     unsigned timeoutMs) override {
    Log("request " + Name(item) + Details(format, timeoutMs));
    if (const auto click = std::exchange(duringRequest, nullptr)) click();
    return itemText;
  }
  bool StartExecute(Conversation, std::string_view bytes, unsigned format) override {
    Log("execute " + std::string(bytes.substr(0, bytes.find('\0'))) +
        (bytes.back() == '\0' ? "\\0" : "") + " format=" + std::to_string(format));
    return executes;
  }

  bool ProbeSemaphore() override {
    Log("probe");
    return semaphoreExisted;
  }
  bool ShellOpen(const std::wstring& program) override {
    Log("shell " + std::string(program.begin(), program.end()));
    return shellStarts;
  }
  std::optional<std::string> AnsiText(std::wstring_view) override { return ansiPath; }
  bool StartMinimised(const std::string& commandLine) override {
    Log("winexec " + commandLine);
    return winExecStarts.Next() != 0;
  }
  void Sleep(unsigned milliseconds) override { Log("sleep " + std::to_string(milliseconds)); }

  void ShowMessage(std::string_view text) override { Log("message " + std::string(text)); }

 private:
  template <class HandleType>
  static HandleType Handle(std::size_t number) {
    return reinterpret_cast<HandleType>(number);
  }
  std::string Name(StringHandle handle) const {
    const auto number = reinterpret_cast<std::size_t>(handle);
    return number == 0 ? "null" : names_.at(number - 1);
  }
  static std::string Details(unsigned format, unsigned timeoutMs) {
    return " format=" + std::to_string(format) + " " + std::to_string(timeoutMs) + "ms";
  }
  void Log(std::string event) { events_.push_back(std::move(event)); }

  Events& events_;
  std::vector<std::string> names_;
};

// The send as the DDE form runs it, one at a time.
struct Send {
  Events events;
  ScriptedZuruzevu zuruzevu{events};
  TDdeClientConv ClientDDE{zuruzevu, zuruzevu};
  TDdeClientItem ClientItem{ClientDDE};
  OneAtATime sending;

  Send() { ClientDDE.ServiceApplication = L"C:\\Program Files\\Zuruzevu.exe"; }
  void Run(TEnvoi ordre = TEnvoi::eLoad) {
    sending.Run([&] { Execute(ordre, ClientDDE, ClientItem, zuruzevu, zuruzevu); });
  }
};

TEST(Send, ToARunningZuruzevuConnectsLinksTheItemExecutesAndCloses) {
  Send send;
  send.Run();
  EXPECT_THAT(send.events, ElementsAre("probe", "connect Zuruzevu/ServeurDDE", "attach",
                                       "advise ServeurItem format=1 1000ms",
                                       "request ServeurItem format=1 1000ms",
                                       "execute CLIP|LOAD\\0 format=1", "free ServeurItem",
                                       "detach", "disconnect", "free Zuruzevu", "free ServeurDDE"));
  EXPECT_EQ(send.ClientItem.Lines(), (std::vector<std::string>{"1", "2"}));
  // A send that reached its command leaves no conversation and forgets service and topic.
  EXPECT_EQ(send.ClientDDE.Conversation(), nullptr);
  EXPECT_EQ(send.ClientDDE.DdeService, "");
  EXPECT_EQ(send.ClientDDE.DdeTopic, "");

  // The next send makes its string handles afresh: step for step the first, but for its command.
  Events second = send.events;
  std::replace(second.begin(), second.end(), std::string("execute CLIP|LOAD\\0 format=1"),
               std::string("execute CLIP|ADD\\0 format=1"));
  send.events.clear();
  send.Run(TEnvoi::eAdd);
  EXPECT_EQ(send.events, second);
}

TEST(Send, ClicksDuringItsTransactionsDoNothingAndItEndsAsItWould) {
  Send alone;
  alone.Run();
  Send send;
  std::vector<bool> sendingSeen;
  send.zuruzevu.duringRequest = [&] {
    sendingSeen.push_back(send.sending.Running());  // what "Connexion" and "Récupération" ask
    send.Run();                                     // "Régressi" clicked again
  };
  send.Run();
  EXPECT_EQ(send.events, alone.events);
  EXPECT_EQ(sendingSeen, std::vector<bool>{true});

  // However a send ends, the next one may run.
  EXPECT_THROW(send.sending.Run([] { throw std::runtime_error("Presse-papiers"); }),
               std::runtime_error);
  send.events.clear();
  send.Run();
  EXPECT_EQ(send.events, alone.events);
}

TEST(Send, NeitherRunningNorStartableTriesEachStartOnceAndSaysSo) {
  Send send;
  send.zuruzevu.semaphoreExisted = false;
  send.zuruzevu.connects = {0};
  send.Run();
  const std::string winExec = "winexec \"C:\\Program Files\\Zuruzevu.exe\"";
  EXPECT_THAT(send.events,
              ElementsAre("probe", "shell C:\\Program Files\\Zuruzevu.exe",
                          "connect Zuruzevu/ServeurDDE -> none", winExec, "sleep 1000",
                          "free Zuruzevu", "free ServeurDDE", "connect Zuruzevu/ServeurDDE -> none",
                          winExec, "message Impossible de lancer Zuruzevu1"));
  // Nothing open, but the link is still named for the next send; the item is forgotten.
  EXPECT_EQ(send.ClientDDE.Conversation(), nullptr);
  EXPECT_EQ(send.ClientDDE.DdeService, "Zuruzevu");
  EXPECT_EQ(send.ClientDDE.DdeTopic, "ServeurDDE");
  EXPECT_EQ(send.ClientItem.DdeItem(), "");
}

TEST(Send, StartedButSilentZuruzevuIsStartedAgainMinimisedAndAskedOnceMore) {
  Send send;
  send.zuruzevu.semaphoreExisted = false;
  send.zuruzevu.shellStarts = true;
  send.zuruzevu.connects = {0, 1};
  send.zuruzevu.winExecStarts = {1};
  send.zuruzevu.advises = false;  // refusing the item changes nothing for the command
  send.Run();
  EXPECT_THAT(send.events, ElementsAre("probe", "shell C:\\Program Files\\Zuruzevu.exe",
                                       "sleep 2000", "connect Zuruzevu/ServeurDDE -> none",
                                       "winexec \"C:\\Program Files\\Zuruzevu.exe\"",
                                       "connect Zuruzevu/ServeurDDE", "attach",
                                       "advise ServeurItem format=1 1000ms -> refused",
                                       "free ServeurItem", "execute CLIP|LOAD\\0 format=1",
                                       "detach", "disconnect", "free Zuruzevu", "free ServeurDDE"));
  EXPECT_EQ(send.ClientItem.DdeItem(), "");
}

TEST(Send, ARefusedCommandIsReportedAndTheConversationStillClosed) {
  Send send;
  send.zuruzevu.executes = false;
  send.zuruzevu.itemText.reset();
  send.Run();
  EXPECT_THAT(send.events, ::testing::IsSupersetOf({"execute CLIP|LOAD\\0 format=1"}));
  const auto message =
      std::find(send.events.begin(), send.events.end(), "message Transfert non exécuté");
  ASSERT_NE(message, send.events.end());
  EXPECT_EQ(*(message + 3), "disconnect");  // after the box: free item, detach, disconnect
  EXPECT_TRUE(send.ClientItem.Lines().empty());
}

TEST(Send, AnyOtherErrorIsReportedAndGoesNoFurther) {
  Send send;
  send.zuruzevu.throwOnConnect = true;
  EXPECT_NO_THROW(send.Run());
  EXPECT_EQ(send.events.back(), "message Impossible de lancer Zuruzevu2");
}

TEST(Send, APathThatCannotBeStartedWhole) {
  // Not representable in the ANSI code page, or too long once quoted: never started truncated.
  for (const std::optional<std::string>& path :
       {std::optional<std::string>{}, std::optional<std::string>(std::string(254, 'a'))}) {
    Send send;
    send.zuruzevu.connects = {0};
    send.zuruzevu.ansiPath = path;
    send.Run();
    EXPECT_THAT(send.events, ::testing::Not(::testing::Contains(::testing::StartsWith("winexec"))));
  }
  EXPECT_EQ(WinExecCommandLine(std::string(253, 'a'))->size(), 255u);
}

TEST(Send, AChangeOfTheLinkedItemIsAskedForAgain) {
  Send send;
  send.ClientDDE.SetLink("Zuruzevu", "ServeurDDE");
  send.ClientItem.SetDdeItem("ServeurItem");
  ASSERT_TRUE(send.ClientDDE.OpenLink());
  send.zuruzevu.itemText = "3\t4\r\n";
  send.ClientDDE.DataChange();
  EXPECT_EQ(send.ClientItem.Lines(), std::vector<std::string>{"3\t4"});
}

TEST(DataTableText, LinesEndAtAnyBreakAndEachGoesOutWithCrLf) {
  EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
  EXPECT_EQ(SplitLines("a\r\n\r\nb\rc\nd\r\n"), (std::vector<std::string>{"a", "", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("\n"), std::vector<std::string>{""});
  EXPECT_EQ(ClipboardText({}), "");
  EXPECT_EQ(ClipboardText({"t\tU", "", "0.5\t1"}), "t\tU\r\n\r\n0.5\t1\r\n");
}

TEST(DdeErrorText, MemoryAndConversationErrorsHaveTheirOwnWords) {
  EXPECT_EQ(DdeErrorText(0x4007), "Erreur apparue suite à un manque de mémoire DDE ($04007)");
  EXPECT_EQ(DdeErrorText(0x4008), "Erreur apparue suite à un manque de mémoire DDE ($04008)");
  EXPECT_EQ(DdeErrorText(0x400A), "Erreur DDE - Conversation non établie ($0400A)");
  EXPECT_EQ(DdeErrorText(0x4009), "Une erreur a été renvoyée par DDE ($04009)");
}

}  // namespace
}  // namespace talvorne
