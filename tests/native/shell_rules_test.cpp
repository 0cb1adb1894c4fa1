// The shell's rules that need no window: layout descriptions, the default error box's wording,
// the Save dialog's file types, the commands' gate during an acquisition and what becomes of
// other programs' GETDATA.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>

#include "decoding/placeholders.h"
#include "shell/acquisition_gate.h"
#include "shell/get_data_requests.h"
#include "shell/save_file_types.h"
#include "win32/error_text.h"
#include "win32/layout_description.h"

namespace talvorne {
namespace {

std::string ReadResource(const char* name) {
  std::ifstream file(std::string(TALVORNE_RESOURCES_DIR) + "/" + name, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(LayoutDescription, TheMainWindowsLayout) {
  const WindowDescription window = ParseLayout(ReadResource("form1.layout"));
  EXPECT_EQ(window.caption, "Talvorne");
  EXPECT_TRUE(window.sizeIsClientArea);
  EXPECT_EQ(window.width, 187);
  EXPECT_EQ(window.height, 222);
  ASSERT_EQ(window.controls.size(), 18u);

  const ControlDescription& button = window.Control("Button4");
  EXPECT_EQ(button.kind, ControlKind::kButton);
  EXPECT_EQ(button.text, "Récupération");
  EXPECT_TRUE(button.disabled);
  EXPECT_EQ(button.left, 64);
  EXPECT_EQ(button.top, 72);
  EXPECT_EQ(button.width, 75);
  EXPECT_EQ(button.height, 25);

  const ControlDescription& label = window.Control("Label4");
  ASSERT_TRUE(label.parent.has_value());
  EXPECT_EQ(window.controls[*label.parent].name, "GroupBox1");
  EXPECT_TRUE(window.Control("RichEdit1").verticalScrollBar);
  EXPECT_FALSE(window.Control("RichEdit2").verticalScrollBar);
  EXPECT_TRUE(window.Control("Memo1").hidden);

  // Identifiers are unique and follow the lines, which are the focus order.
  for (std::size_t i = 0; i < window.controls.size(); ++i) {
    EXPECT_EQ(window.controls[i].id, kFirstControlId + static_cast<int>(i));
  }
  EXPECT_LT(window.Control("Button5").id, window.Control("RichEdit1").id);
  EXPECT_LT(window.Control("RichEdit3").id, window.Control("Memo1").id);
  EXPECT_THROW(window.Control("Button6"), LayoutError);
}

TEST(LayoutDescription, MistakesNameTheirLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"button B 1 2 3 4", "ligne 1"},
      {"window \"W\" client 1 2\nbutton B 1 2 3", "ligne 2"},
      {"window \"W\" client 1 2\n# note\nslider S 1 2 3 4", "ligne 3"},
      {"window \"W\" client 1 2\nbutton B 1 2 3 4 \"open", "ligne 2"},
      {"window \"W\" client 1 2\nlabel L 1 2 3 4 \"x\" in Nowhere", "ligne 2"},
      {"window \"W\" client 1 2\nbutton B 1 2 3 4\nbutton B 5 6 7 8", "ligne 3"},
      {"window \"W\" client 1 2\nbutton B 1 -2 3 4", "ligne 2"},
      {"window \"W\" wide 1 2", "ligne 1"},
  };
  for (const auto& [text, line] : cases) {
    try {
      ParseLayout(text);
      ADD_FAILURE() << text;
    } catch (const LayoutError& error) {
      EXPECT_NE(std::string(error.what()).find(line), std::string::npos) << error.what();
    }
  }
  EXPECT_THROW(ParseLayout("# nothing\n"), LayoutError);
}

TEST(DefaultErrorText, AFinalPeriodAfterALetterOrDigitOnly) {
  EXPECT_EQ(WithFinalPeriod("Propriété msctls_progress32 hors limites"),
            "Propriété msctls_progress32 hors limites.");
  EXPECT_EQ(WithFinalPeriod("Code 7"), "Code 7.");
  EXPECT_EQ(WithFinalPeriod("déjà vu é"), "déjà vu é.");
  for (const char* unchanged : {"Fini.", "Alerte!", "Liste,", "Blanc ", "(x)", "-", ""}) {
    EXPECT_EQ(WithFinalPeriod(unchanged), unchanged);
  }
}

TEST(Placeholders, FilledInOrderWhateverTheValuesHold) {
  EXPECT_EQ(FillPlaceholders("Style '%s' non trouvé", {"Iceberg Classico"}),
            "Style 'Iceberg Classico' non trouvé");
  EXPECT_EQ(FillPlaceholders("%d points (%d au plus)", {"70000", "65536"}),
            "70000 points (65536 au plus)");
  EXPECT_EQ(FillPlaceholders("a %s b %s", {"%s", "x"}), "a %s b x");  // values are not re-read
  EXPECT_EQ(FillPlaceholders("rien", {"x"}), "rien");
}

// The table's list: text, then CSV.
constexpr std::wstring_view kTableExtensions[] = {L"txt", L"csv"};

TEST(SaveFileTypes, AFileHoldsWhatItsNameSaysWhateverTheTypeListShows) {
  struct Case {
    const wchar_t* name;
    std::optional<std::size_t> type;
  };
  for (const Case& c : {// The name's extension, in any case.
                        Case{L"x.csv", 1}, Case{L"C:\\Mesures\\X.CSV", 1}, Case{L".Csv", 1},
                        Case{L"x.txt", 0}, Case{L"x.TxT", 0}, Case{L"x.csv.txt", 0},
                        // Otherwise none: the type picked in the list.
                        Case{L"x.dat", {}}, Case{L"C:\\essai.csv\\x", {}}, Case{L"xcsv", {}},
                        Case{L"x.csvx", {}}, Case{L"x.tx", {}}, Case{L"csv", {}}}) {
    EXPECT_EQ(TypeNamedBy(c.name, kTableExtensions), c.type) << ::testing::PrintToString(c.name);
  }
}

TEST(SaveFileTypes, PickingATypeChangesAnotherTypesExtensionInTheNameAndNothingElse) {
  struct Case {
    const wchar_t* name;
    std::size_t picked;
    const wchar_t* shown;
  };
  for (const Case& c :
       {Case{L"Talvorne 2024-03-05 14-07-09.txt", 1, L"Talvorne 2024-03-05 14-07-09.csv"},
        Case{L"C:\\Mesures\\essai.CSV", 0, L"C:\\Mesures\\essai.txt"},
        Case{L"essai.Csv", 1, L"essai.Csv"}, Case{L"essai.TXT", 0, L"essai.TXT"},
        // A bare name takes the type's extension when the file is saved, not before.
        Case{L"essai", 1, L"essai"}, Case{L"essai.dat", 0, L"essai.dat"}, Case{L"", 1, L""}}) {
    EXPECT_EQ(NameForPickedType(c.name, kTableExtensions, c.picked), c.shown)
        << ::testing::PrintToString(c.name);
  }
  // A list of one type leaves every name as typed.
  constexpr std::wstring_view png[] = {L"png"};
  EXPECT_EQ(NameForPickedType(L"courbe.txt", png, 0), L"courbe.txt");
}

TEST(SaveFileTypes, TheProposedNameTellsWhenTheFileWasSaved) {
  EXPECT_EQ(ProposedFileName("Talvorne", {2024, 3, 5, 14, 7, 9}, "txt"),
            "Talvorne 2024-03-05 14-07-09.txt");
  EXPECT_EQ(ProposedFileName("Courbe", {2031, 12, 31, 0, 0, 0}, "png"),
            "Courbe 2031-12-31 00-00-00.png");
}

TEST(AcquisitionGate, RefusesASecondAcquisitionAndHoldsTheTablesCommands) {
  using enum TableCommand;
  using Commands = std::vector<TableCommand>;
  AcquisitionGate gate;
  EXPECT_TRUE(gate.Request(kRegressi));  // nothing running: send at once
  ASSERT_TRUE(gate.TryBegin());
  EXPECT_FALSE(gate.TryBegin());
  EXPECT_FALSE(gate.Request(kRegressi));
  EXPECT_FALSE(gate.Request(kRegressi));  // two clicks, one send
  EXPECT_EQ(gate.End(true), Commands{kRegressi});
  EXPECT_FALSE(gate.Running());
  EXPECT_TRUE(gate.Request(kRegressi));

  ASSERT_TRUE(gate.TryBegin());
  EXPECT_EQ(gate.End(true), Commands{});  // nothing held

  // Each command asked for once, in its order.
  ASSERT_TRUE(gate.TryBegin());
  for (TableCommand command : {kSave, kAddToZuruzevu, kSave, kCopy, kRegressi, kAddToZuruzevu}) {
    EXPECT_FALSE(gate.Request(command));
  }
  EXPECT_EQ(gate.End(true), (Commands{kSave, kAddToZuruzevu, kCopy, kRegressi}));

  ASSERT_TRUE(gate.TryBegin());
  EXPECT_FALSE(gate.Request(kRegressi));
  EXPECT_FALSE(gate.Request(kCopy));
  EXPECT_EQ(gate.End(false), Commands{});  // failed acquisition: the held commands are dropped
  ASSERT_TRUE(gate.TryBegin());
  EXPECT_EQ(gate.End(true), Commands{});

  // Closed during the pause: the table still completes, but is not sent.
  ASSERT_TRUE(gate.TryBegin());
  EXPECT_FALSE(gate.Request(kAddToZuruzevu));
  gate.DropHeldCommands();
  EXPECT_EQ(gate.End(true), Commands{});
}

// GETDATA as the main window answers it: a fetch is an acquisition whose table is then sent, the
// send being modal work; the other program's requests come during either, or during the user's
// own acquisition.
TEST(GetDataRequests, OneDuringASendRunsOnceAfterItOneDuringThePauseSendsThatTable) {
  using enum TableCommand;
  using Commands = std::vector<TableCommand>;
  AcquisitionGate acquisition;
  bool sending = false;
  int fetches = 0, depth = 0;
  std::function<void()> duringPause = [] {}, duringSend = [] {};
  std::function<void()> fetch = [&] {
    EXPECT_EQ(++depth, 1);  // never one inside another
    ++fetches;
    ASSERT_TRUE(acquisition.TryBegin());
    acquisition.Request(kRegressi);  // its own send
    duringPause();
    EXPECT_EQ(acquisition.End(true), Commands{kRegressi});
    sending = true;
    duringSend();
    sending = false;
    --depth;
  };
  GetDataRequests requests(acquisition, [&] { fetch(); });
  const auto getData = [&] { requests.Request(sending); };
  const auto sendEnded = [&] { requests.ModalWorkEnded(sending); };  // as the loop tells it

  // Two during the user's own pause: that acquisition's table is sent, once; nothing is fetched.
  ASSERT_TRUE(acquisition.TryBegin());
  getData();
  getData();
  EXPECT_EQ(acquisition.End(true), Commands{kRegressi});
  EXPECT_EQ(fetches, 0);

  // Two during a GETDATA's pause, then two during its send: one fetch more after each, in turn.
  duringPause = [&] {
    if (fetches == 1) getData(), getData();
  };
  getData();
  EXPECT_EQ(fetches, 2);
  duringPause = [] {};
  duringSend = [&] {
    if (fetches == 3) getData(), getData();
  };
  getData();
  EXPECT_EQ(fetches, 4);
  sendEnded();  // nothing held any more
  EXPECT_EQ(fetches, 4);

  // During the user's own send or a box: held until it ends, then fetched once.
  sending = true;
  getData();
  getData();
  EXPECT_EQ(fetches, 4);
  sending = false;
  sendEnded();
  EXPECT_EQ(fetches, 5);

  // Held during a box, then the window closes: nothing runs, not even a later request.
  requests.Request(true);
  requests.Stop();
  requests.ModalWorkEnded(false);
  getData();
  EXPECT_EQ(fetches, 5);
}

}  // namespace
}  // namespace talvorne
