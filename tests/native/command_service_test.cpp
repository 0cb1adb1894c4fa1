#include "handoff/command_service.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "decoding/lines.h"

namespace talvorne {
namespace {

struct RecordingView final : CommandView {
  std::vector<std::string> shown;
  std::vector<CommandWord> carried;
  bool failFirst = false;
  void ShowError(std::string_view text) override {
    shown.emplace_back(text);
    if (failFirst && shown.size() == 1) throw std::runtime_error("box");
  }
  void CarryOut(CommandWord word) override { carried.push_back(word); }
};

// What a command text brings about, read into lines as the service reads it.
RecordingView Outcome(std::string_view text) {
  RecordingView view;
  ExecuteMacro(SplitLines(text), view);
  return view;
}

// The boxes a command text brings up; nothing is carried out then.
std::vector<std::string> BoxesFor(std::string_view text) {
  const RecordingView view = Outcome(text);
  EXPECT_THAT(view.carried, ::testing::IsEmpty()) << text;
  return view.shown;
}

TEST(CommandService, FocusAndGetdataInAnyCaseAndWithParametersAreCarriedOutSilently) {
  const std::pair<const char*, CommandWord> commands[] = {
      {"FOCUS", CommandWord::Focus},      {"focus", CommandWord::Focus},
      {"fOcUs", CommandWord::Focus},      {"GETDATA", CommandWord::GetData},
      {"getData", CommandWord::GetData},  {"FOCUS(", CommandWord::Focus},
      {"FOCUS(1,2)", CommandWord::Focus}, {"GETDATA(a(b)c", CommandWord::GetData},
      {"FOCUS\r\n", CommandWord::Focus},  {"GETDATA\n", CommandWord::GetData}};
  for (const auto& [text, word] : commands) {
    const RecordingView view = Outcome(text);
    EXPECT_THAT(view.shown, ::testing::IsEmpty()) << text;
    EXPECT_THAT(view.carried, ::testing::ElementsAre(word)) << text;
  }
}

TEST(CommandService, AnythingElseShowsTheWholeLineAsReceived) {
  for (const char* line : {"FOCUS (1)", " FOCUS", "FOCUS ", "(FOCUS)", "FOCUSS", "FOCU", "GET DATA",
                           "ﬁocus", "Ｆocus", "focus\t"}) {
    EXPECT_THAT(BoxesFor(line),
                ::testing::ElementsAre(std::string("RS232 Fonction Inconnue : ") + line));
  }
}

TEST(CommandService, NoLineOrMoreThanOneIsRefusedWhole) {
  for (const char* text : {"", "FOCUS\r\nGETDATA", "FOCUS\nFOCUS", "FOCUS\rFOCUS", "\r\n\r\n"}) {
    EXPECT_THAT(BoxesFor(text), ::testing::ElementsAre("Un message à la fois SVP")) << text;
  }
}

TEST(CommandService, AnErrorWhileExaminingTheLineIsReportedAsASyntaxError) {
  RecordingView boxes;
  boxes.failFirst = true;
  EXPECT_NO_THROW(ExecuteMacro({"OPEN(x)"}, boxes));
  EXPECT_THAT(boxes.shown, ::testing::ElementsAre("RS232 Fonction Inconnue : OPEN(x)",
                                                  "RS232 : erreur syntaxe macro DDE"));
}

TEST(CommandService, TheServiceIsNamedAfterTheFileUpToItsFirstDot) {
  EXPECT_EQ(ServiceNameOf(L"C:\\Program Files\\Talvorne\\Talvorne.exe"), L"Talvorne");
  EXPECT_EQ(ServiceNameOf(L"D:\\cle.usb\\Mon.Talvorne.v2.exe"), L"Mon");
  EXPECT_EQ(ServiceNameOf(L"Talvorne"), L"Talvorne");
  EXPECT_EQ(ServiceNameOf(L"C:\\x\\.exe"), L"");
}

}  // namespace
}  // namespace talvorne
