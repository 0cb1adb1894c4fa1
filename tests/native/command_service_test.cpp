#include "handoff/command_service.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "handoff/lines.h"

namespace talvorne {
namespace {

struct RecordingBoxes final : CommandView {
  std::vector<std::string> shown;
  bool failFirst = false;
  void ShowError(std::string_view text) override {
    shown.emplace_back(text);
    if (failFirst && shown.size() == 1) throw std::runtime_error("box");
  }
};

// The boxes a command text brings up, read into lines as the service reads it.
std::vector<std::string> BoxesFor(std::string_view text) {
  RecordingBoxes boxes;
  ExecuteMacro(SplitLines(text), boxes);
  return boxes.shown;
}

TEST(CommandService, FocusAndGetdataInAnyCaseAndWithParametersAreTakenSilently) {
  for (const char* text : {"FOCUS", "focus", "fOcUs", "GETDATA", "getData", "FOCUS(", "FOCUS(1,2)",
                           "GETDATA(a(b)c", "FOCUS\r\n", "FOCUS\n"}) {
    EXPECT_THAT(BoxesFor(text), ::testing::IsEmpty()) << text;
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
  RecordingBoxes boxes;
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
