// Connexion and Récupération clicked in Talvorne.exe against the fake oscilloscope: what the
// window shows, what boxes come up, and the exact exchange in the fake libusb0.dll's log; and
// what "Régressi" then hands the stand-in Zuruzevu.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "resources/resource_ids.h"
#include "tests/support/record_builder.h"
#include "tests/wine/support/oscilloscope_session.h"
#include "tests/wine/support/stand_in_zuruzevu.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

using namespace talvorne::testing;

constexpr std::uint16_t kVendor = 0x5345;
constexpr std::uint16_t kProduct = 0x1234;

// Two channels of 5000 samples, L = 20116, at 1 ms per division.
std::vector<std::uint8_t> Record5000() {
  RecordBuilder record = RecordBuilder::TwoChannels(5000);
  record.TimebaseCode(16).VoltsCode(1, 4).VoltsCode(2, 10).Sample(1, 1, 31).Sample(2, 5000, -1);
  return record.Bytes();
}

FakeUsbScenario OneOscilloscope() {
  FakeUsbScenario scenario;
  scenario.Bus().Device(kVendor, kProduct);
  return scenario;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  for (std::size_t start = 0, end; (end = text.find(L"\r\n", start)) != std::wstring::npos;
       start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

TEST(DeviceLink, AcquisitionFromTheClicksToTheTable) {
  FakeUsbScenario scenario = OneOscilloscope();
  scenario.Acquisition(Reply().Header(HeaderFor(20116)).Record(Record5000()));
  OscilloscopeSession talvorne(&scenario);

  talvorne.Click("Button3");
  EXPECT_FALSE(talvorne.Enabled("Button3"));
  EXPECT_TRUE(talvorne.Enabled("Button4"));
  EXPECT_FALSE(talvorne.Enabled("Button5"));
  EXPECT_EQ(talvorne.Text("Label1"), L"Label1");  // every set-up step accepted

  talvorne.Click("Button4");
  EXPECT_EQ(talvorne.Text("Label5"), L"WRITE : 10/10");
  EXPECT_EQ(talvorne.Text("Label2"), L"SEND");
  EXPECT_EQ(talvorne.Text("Label1"), L"recv2");
  EXPECT_EQ(talvorne.Text("Label4"), L"READ : 12/12");
  EXPECT_EQ(talvorne.Text("Label3"), L"RECV");
  EXPECT_EQ(talvorne.Text("RichEdit2"), L"944e00a1b2c300000000007f");
  EXPECT_EQ(talvorne.Text("Label7"), L"READ DATA : 20116/20116");
  EXPECT_EQ(talvorne.Text("Label6"), L"RECV DATA");
  const std::vector<std::wstring> table = Lines(talvorne.Text("Memo1"));
  ASSERT_EQ(table.size(), 5002u);
  EXPECT_EQ(table[0], L"t\tU1\tU2");
  EXPECT_EQ(table[1], L"s\tmV\tmV");
  EXPECT_EQ(table[2], L"2E-6\t62\t0");
  EXPECT_EQ(table[5001], L"0.01\t0\t-200");
  EXPECT_EQ(talvorne.Text("Label8"), L"Balayage : 0.001 s");
  EXPECT_TRUE(talvorne.Enabled("Button5"));
  EXPECT_TRUE(talvorne.Boxes().empty());

  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
  const std::vector<std::string> expected = {
      "usb_init",
      "usb_find_busses -> 1",
      "usb_find_devices -> 1",
      "usb_get_busses -> busses",
      "usb_open device=1.1 -> handle1",
      "usb_set_configuration handle1 configuration=1 -> 0",
      "usb_claim_interface handle1 interface=0 -> 0",
      "usb_set_altinterface handle1 alternate=-1 -> 0",
      "usb_bulk_write handle1 endpoint=0x03 size=10 timeout=2000 bytes=53005400410052005400 -> 10",
      "usb_bulk_read handle1 endpoint=0x81 size=12 timeout=2000 buffer=zeroed -> 12",
      "usb_bulk_read handle1 endpoint=0x81 size=20116 timeout=5000 buffer=zeroed -> 20116",
      "usb_close handle1 -> 0",
  };
  EXPECT_EQ(talvorne.UsbLog(), expected);
}

TEST(DeviceLink, TheFirstMatchingDeviceInBusThenDeviceOrderIsOpened) {
  FakeUsbScenario scenario;
  scenario.Bus().Device(kVendor, 0x9999).Device(0x1111, kProduct);
  scenario.Bus().Device(0x0001, 0x0002).Device(kVendor, kProduct).Device(kVendor, kProduct);
  OscilloscopeSession talvorne(&scenario);
  talvorne.Click("Button3");
  EXPECT_EQ(Calls(talvorne.UsbLog(), "usb_open"),
            std::vector<std::string>{"usb_open device=2.2 -> handle1"});
  EXPECT_TRUE(talvorne.Enabled("Button4"));
}

TEST(DeviceLink, NearMissesAreNotTheOscilloscopeAndEachConnexionSaysSo) {
  FakeUsbScenario scenario;
  scenario.Bus().Device(kVendor, 0x1235).Device(0x5344, kProduct);
  OscilloscopeSession talvorne(&scenario);
  talvorne.Click("Button3");
  talvorne.Click("Button3");  // can be tried again
  EXPECT_TRUE(Calls(talvorne.UsbLog(), "usb_open").empty());
  EXPECT_EQ(Calls(talvorne.UsbLog(), "usb_init").size(), 2u);
  EXPECT_TRUE(talvorne.Enabled("Button3"));
  EXPECT_FALSE(talvorne.Enabled("Button4"));
  const auto boxes = talvorne.Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  for (const SeenBox& box : boxes) {
    EXPECT_EQ(box.text,
              L"Aucun oscilloscope trouvé. Vérifiez qu'il est branché et allumé et que son pilote "
              L"est installé, puis cliquez de nouveau sur « Connexion ».");
    EXPECT_EQ(box.caption, L"Talvorne");
    EXPECT_FALSE(box.hasIcon);
    EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"});
  }
  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
  EXPECT_TRUE(Calls(talvorne.UsbLog(), "usb_close").empty());
}

TEST(DeviceLink, NoBussesOrDevicesCountedButTheListStillWalked) {
  FakeUsbScenario scenario = OneOscilloscope();
  scenario.FindBusses({0}).FindDevices({0});
  OscilloscopeSession talvorne(&scenario);
  talvorne.Click("Button3");
  const auto boxes = talvorne.Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, L"Pas de BUS");
  EXPECT_EQ(boxes[1].text, L"Pas d'appareils");
  EXPECT_EQ(boxes[0].caption, L"Talvorne");
  EXPECT_FALSE(boxes[0].hasIcon);
  EXPECT_TRUE(talvorne.Enabled("Button4"));
}

TEST(DeviceLink, AnEmptyBusListEndsTheCommand) {
  FakeUsbScenario scenario;  // no bus: none counted, and usb_get_busses gives null
  OscilloscopeSession talvorne(&scenario);
  talvorne.Click("Button3");
  std::vector<std::wstring> texts;
  for (const SeenBox& box : talvorne.Boxes()) texts.push_back(box.text);
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"Pas de BUS", L"Pas d'appareils", L"BUS vide"}));
  EXPECT_TRUE(talvorne.Enabled("Button3"));
  EXPECT_FALSE(talvorne.Enabled("Button4"));
}

TEST(DeviceLink, EveryRefusedSetUpStepIsShownAndRecuperationEnabledAllTheSame) {
  FakeUsbScenario scenario = OneOscilloscope();
  scenario.SetConfiguration({-5}).ClaimInterface({-16}).SetAltInterface({-22});
  OscilloscopeSession talvorne(&scenario);
  talvorne.Click("Button3");
  EXPECT_EQ(talvorne.Text("Label1"), L"ERREUR conf1");
  EXPECT_EQ(talvorne.Text("Label2"), L"ERREUR conf2");
  EXPECT_EQ(talvorne.Text("Label3"), L"ERREUR conf3");
  EXPECT_TRUE(talvorne.Enabled("Button4"));
  EXPECT_FALSE(talvorne.Enabled("Button3"));
  const auto log = talvorne.UsbLog();
  const auto alternate =
      std::find(log.begin(), log.end(), "usb_set_altinterface handle1 alternate=-1 -> -22");
  ASSERT_NE(alternate, log.end());
  ASSERT_NE(alternate + 1, log.end());
  EXPECT_EQ(alternate[1], "usb_release_interface handle1 interface=-1 -> 0");
}

TEST(DeviceLink, AFailedOpenIsReportedAndConnexionCanBeTriedAgain) {
  FakeUsbScenario scenario = OneOscilloscope();
  scenario.Opens({false, true});
  OscilloscopeSession talvorne(&scenario);
  talvorne.Click("Button3");
  ASSERT_EQ(talvorne.Boxes().size(), 1u);
  EXPECT_EQ(talvorne.Boxes()[0].text, L"Impossible d'ouvrir l'oscilloscope");
  EXPECT_TRUE(Calls(talvorne.UsbLog(), "usb_set_configuration").empty());
  EXPECT_TRUE(talvorne.Enabled("Button3"));
  EXPECT_FALSE(talvorne.Enabled("Button4"));

  talvorne.Click("Button3");  // its rescan counts no change, which is no trouble
  EXPECT_TRUE(talvorne.Enabled("Button4"));
  EXPECT_EQ(talvorne.Boxes().size(), 1u);
  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
  EXPECT_EQ(Calls(talvorne.UsbLog(), "usb_close"),
            std::vector<std::string>{"usb_close handle1 -> 0"});
}

TEST(DeviceLink, WithoutTheDriverConnexionSaysSoAndNothingElseChanges) {
  OscilloscopeSession talvorne(nullptr);
  talvorne.Click("Button3");
  talvorne.Click("Button3");
  const auto boxes = talvorne.Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, L"Pilote USB introuvable (libusb0.dll)");
  EXPECT_EQ(boxes[0].caption, L"Talvorne");
  EXPECT_TRUE(talvorne.Enabled("Button3"));
  EXPECT_FALSE(talvorne.Enabled("Button4"));
  EXPECT_EQ(talvorne.Text("Label1"), L"Label1");
  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
}

// What the window shows of its table, which only a whole record may change.
std::vector<std::wstring> TableOnView(const OscilloscopeSession& talvorne) {
  const HWND bar = talvorne.Control("ProgressBar1");
  return {talvorne.Text("Memo1"),
          talvorne.Text("Label8"),
          talvorne.Text("Label9"),
          talvorne.Text("RichEdit1"),
          talvorne.Text("RichEdit3"),
          std::to_wstring(SendMessageW(bar, PBM_GETPOS, 0, 0)),
          IsWindowVisible(bar) ? L"bar shown" : L"bar hidden",
          talvorne.Enabled("Button5") ? L"Régressi enabled" : L"Régressi disabled"};
}

TEST(DeviceLink, AcquisitionsThatBringLessLeaveTheTableWholeForRegressi) {
  FakeUsbScenario scenario = OneOscilloscope();
  scenario.Acquisition(Reply().Header(HeaderFor(20116)).Record(Record5000()));
  scenario.Acquisition(Reply().Header(HeaderFor(20116)).Record(Record5000()).RecordDelivered(265));
  scenario.Acquisition(Reply().Header({}, -116).HeaderDelay(300));
  scenario.Acquisition(Reply().Header(HeaderFor(20116)).Record({}, -116));
  // Whole, but too short for one sample.
  scenario.Acquisition(Reply().Header(HeaderFor(63)).Record(std::vector<std::uint8_t>(63, 7)));
  OscilloscopeSession talvorne(
      &scenario, [](const std::filesystem::path& folder) { PlaceStandInZuruzevu(folder); });
  const StandInZuruzevuReaper reaper({talvorne.Folder()});
  talvorne.Click("Button3");
  talvorne.Click("Button4");
  const std::vector<std::wstring> table = TableOnView(talvorne);
  ASSERT_EQ(Lines(table[0]).size(), 5002u);

  struct Shortfall {
    const wchar_t* label7;  // the exchange is shown as it went
    const wchar_t* box;
  };
  const Shortfall shortfalls[] = {
      {L"READ DATA : 265/20116",
       L"Courbe incomplète : 265 octets reçus sur 20116. Le tableau n'a pas changé ; recommencez "
       L"la récupération."},
      {L"READ DATA : 0/0",
       L"L'oscilloscope n'a pas répondu (-116). Vérifiez qu'il est allumé et relié, puis "
       L"recommencez."},
      {L"READ DATA : -116/20116",
       L"Courbe non reçue (-116). Le tableau n'a pas changé ; recommencez la récupération."},
      {L"READ DATA : 63/63",
       L"Réponse illisible de l'oscilloscope (63 octets). Le tableau n'a pas changé."},
  };
  for (const Shortfall& shortfall : shortfalls) {
    talvorne.Click("Button4");
    EXPECT_EQ(talvorne.Text("Label7"), shortfall.label7);
    const auto boxes = talvorne.Boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, shortfall.box);
    EXPECT_EQ(boxes.back().caption, L"Talvorne");
    EXPECT_FALSE(boxes.back().hasIcon);
    EXPECT_EQ(boxes.back().buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(TableOnView(talvorne), table) << shortfall.label7;
  }
  EXPECT_EQ(talvorne.Boxes().size(), 4u);
  EXPECT_EQ(talvorne.Text("Label4"), L"READ : 12/12");
  EXPECT_EQ(talvorne.Text("Label6"), L"RECV DATA");
  EXPECT_EQ(Calls(talvorne.UsbLog(), "usb_bulk_read")[3],
            "usb_bulk_read handle1 endpoint=0x81 size=20116 timeout=5000 buffer=zeroed -> 265");
  EXPECT_TRUE(talvorne.Enabled("Button4"));

  talvorne.Click("Button5");
  ASSERT_TRUE(WaitForZuruzevuEvent(talvorne.Folder(), "clipboard", 10s))
      << ::testing::PrintToString(ZuruzevuEvents(talvorne.Folder()));
  EXPECT_EQ(LastTableReceived(talvorne.Folder()), Narrow(table[0]));
}

TEST(DeviceLink, APulledCableLetsTheOscilloscopeGoAndConnexionOpensItAgain) {
  FakeUsbScenario scenario = OneOscilloscope();
  // Pulled: every transfer fails, and so do the release and the close of its dead handle.
  scenario.ReleaseInterface({-5, 0}).Close({-5, 0});
  // Plugged back, the rescan finds the same bus and two devices changed: the one gone, the one new.
  scenario.FindBusses({1, 0}).FindDevices({1, 2});
  scenario.Acquisition(Reply().Write(-5).Header({}, -5).Record({}, -5));
  scenario.Acquisition(Reply().Header(HeaderFor(20116)).Record(Record5000()));
  OscilloscopeSession talvorne(&scenario);
  talvorne.Click("Button3");
  talvorne.Click("Button4");
  EXPECT_EQ(talvorne.Text("Label5"), L"WRITE : -5/10");
  EXPECT_EQ(talvorne.Text("Label4"), L"READ : -5/12");
  ASSERT_EQ(talvorne.Boxes().size(), 1u);
  EXPECT_EQ(
      talvorne.Boxes()[0].text,
      L"L'oscilloscope ne répond plus. Vérifiez le câble USB, puis cliquez sur « Connexion ».");
  EXPECT_TRUE(talvorne.Enabled("Button3"));
  EXPECT_FALSE(talvorne.Enabled("Button4"));
  EXPECT_FALSE(talvorne.Enabled("Button5"));
  EXPECT_EQ(talvorne.Text("Memo1"), L"t\tU1\tU2\r\ns\tmV\tmV\r\n");

  // Plugged back: the scan offers it again, with no box about its counts.
  talvorne.Click("Button3");
  EXPECT_FALSE(talvorne.Enabled("Button3"));
  EXPECT_EQ(talvorne.Boxes().size(), 1u);
  talvorne.Click("Button4");
  EXPECT_EQ(Lines(talvorne.Text("Memo1")).size(), 5002u);
  EXPECT_TRUE(talvorne.Enabled("Button5"));
  EXPECT_EQ(talvorne.Boxes().size(), 1u);

  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
  const auto log = talvorne.UsbLog();
  EXPECT_EQ(Calls(log, "usb_find_"),
            (std::vector<std::string>{"usb_find_busses -> 1", "usb_find_devices -> 1",
                                      "usb_find_busses -> 0", "usb_find_devices -> 2"}));
  EXPECT_EQ(Calls(log, "usb_open"), (std::vector<std::string>{"usb_open device=1.1 -> handle1",
                                                              "usb_open device=1.1 -> handle2"}));
  EXPECT_EQ(Calls(log, "usb_release_interface"),
            std::vector<std::string>{"usb_release_interface handle1 interface=0 -> -5"});
  EXPECT_EQ(Calls(log, "usb_close"),
            (std::vector<std::string>{"usb_close handle1 -> -5", "usb_close handle2 -> 0"}));
  EXPECT_EQ(Calls(log, "usb_bulk_write").back().rfind("usb_bulk_write handle2 ", 0), 0u);
}

TEST(DeviceLink, TwoPressesRunTwoCompleteExchangesFromFreshBuffers) {
  FakeUsbScenario scenario = OneOscilloscope();
  scenario.Acquisition(
      Reply().Header(HeaderFor(1065)).Record(std::vector<std::uint8_t>(1065, 0x11)));
  scenario.Acquisition(
      Reply().Write(-7).Header(HeaderFor(465)).Record(std::vector<std::uint8_t>(465, 0x22)));
  OscilloscopeSession talvorne(&scenario);
  talvorne.Click("Button3");
  talvorne.Click("Button4");
  EXPECT_EQ(Lines(talvorne.Text("Memo1")).size(), 2u + 500u);
  talvorne.Click("Button4");
  EXPECT_EQ(talvorne.Text("Label5"), L"WRITE : -7/10");
  EXPECT_EQ(talvorne.Text("Label2"), L"ERREUR send");
  EXPECT_EQ(talvorne.Text("Label7"), L"READ DATA : 465/465");
  EXPECT_EQ(Lines(talvorne.Text("Memo1")).size(), 2u + 200u);  // the second table alone
  const auto log = talvorne.UsbLog();
  EXPECT_EQ(Calls(log, "usb_bulk_write").size(), 2u);
  const auto reads = Calls(log, "usb_bulk_read");
  ASSERT_EQ(reads.size(), 4u);
  for (const std::string& read : reads) EXPECT_NE(read.find("buffer=zeroed"), std::string::npos);
}

// Connects, clicks "Récupération" and returns during the conversion's pause, once the labels
// show the record's sweep.
bool InThePauseOfAnAcquisition(const OscilloscopeSession& talvorne) {
  talvorne.Click("Button3");
  talvorne.PostClick("Button4");
  for (int i = 0; i < 200 && talvorne.Text("Label8").empty(); ++i) Sleep(20);
  return !talvorne.Text("Label8").empty();
}

TEST(DeviceLink, RecuperationDuringThePauseIsIgnored) {
  FakeUsbScenario scenario = OneOscilloscope();
  scenario.Acquisition(Reply().Header(HeaderFor(20116)).Record(Record5000()));
  OscilloscopeSession talvorne(&scenario);
  ASSERT_TRUE(InThePauseOfAnAcquisition(talvorne));
  talvorne.Click("Button4");
  for (int i = 0; i < 300 && !talvorne.Enabled("Button5"); ++i) Sleep(20);
  EXPECT_EQ(Calls(talvorne.UsbLog(), "usb_bulk_write").size(), 1u);
  EXPECT_EQ(Lines(talvorne.Text("Memo1")).size(), 5002u);
}

TEST(DeviceLink, ClosingDuringThePauseEndsTheProgramCleanly) {
  FakeUsbScenario scenario = OneOscilloscope();
  scenario.Acquisition(Reply().Header(HeaderFor(20116)).Record(Record5000()));
  OscilloscopeSession talvorne(&scenario);
  ASSERT_TRUE(InThePauseOfAnAcquisition(talvorne));
  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
  EXPECT_EQ(Calls(talvorne.UsbLog(), "usb_close"),
            std::vector<std::string>{"usb_close handle1 -> 0"});
  EXPECT_TRUE(talvorne.Boxes().empty());
}

TEST(DeviceLink, ClosingDuringALongFillOfTheShownPanelEndsTheProgramCleanly) {
  // The most samples the window takes, in the debug panel's boxes: seconds of filling under Wine.
  const std::vector<std::uint8_t> record = RecordBuilder::OneChannel(65536).Bytes();
  FakeUsbScenario scenario = OneOscilloscope();
  scenario.Acquisition(Reply().Header(HeaderFor(record.size())).Record(record));
  OscilloscopeSession talvorne(&scenario);
  PostMessageW(talvorne.Window(), WM_COMMAND, MAKEWPARAM(IDM_DEBUG_ON, 0), 0);
  ASSERT_TRUE(InThePauseOfAnAcquisition(talvorne));
  const HWND bar = talvorne.Control("ProgressBar1");
  LRESULT position = 0;
  for (int i = 0; i < 500 && (position == 0 || position == 65536); ++i) {
    Sleep(20);
    position = SendMessageW(bar, PBM_GETPOS, 0, 0);
  }
  ASSERT_GT(position, 0);
  ASSERT_LT(position, 65536) << "the fill was over before the close";
  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
  EXPECT_EQ(Calls(talvorne.UsbLog(), "usb_close"),
            std::vector<std::string>{"usb_close handle1 -> 0"});
  EXPECT_TRUE(talvorne.Boxes().empty());
}

// The user's decimal separator, set in the regional settings for the programs started meanwhile.
class DecimalSeparatorSetting {
 public:
  explicit DecimalSeparatorSetting(const wchar_t* separator) {
    wchar_t previous[16] = {};
    DWORD size = sizeof previous;
    hadValue_ = RegGetValueW(HKEY_CURRENT_USER, kKey, L"sDecimal", RRF_RT_REG_SZ, nullptr, previous,
                             &size) == ERROR_SUCCESS;
    previous_ = previous;
    Set(separator);
  }
  ~DecimalSeparatorSetting() {
    if (hadValue_) {
      Set(previous_.c_str());
    } else {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"sDecimal");
    }
  }

 private:
  static constexpr wchar_t kKey[] = L"Control Panel\\International";
  static void Set(const wchar_t* separator) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"sDecimal", REG_SZ, separator,
                    static_cast<DWORD>((wcslen(separator) + 1) * sizeof(wchar_t)));
  }
  bool hadValue_ = false;
  std::wstring previous_;
};

TEST(DeviceLink, TheTableUsesTheUsersDecimalSeparatorReadAtStartUp) {
  // A separator that would break the tab-separated table, or none at all, keeps ".".
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {{L",", L"0,0049\t-2,4"},
                                                             {L".", L"0.0049\t-2.4"},
                                                             {L"", L"0.0049\t-2.4"},
                                                             {L"\t", L"0.0049\t-2.4"}};
  RecordBuilder record = RecordBuilder::OneChannel(100);
  record.TimebaseCode(16).VoltsCode(1, 3).Sample(1, 49, -3);
  for (const auto& [separator, line49] : cases) {
    FakeUsbScenario scenario = OneOscilloscope();
    scenario.Acquisition(Reply().Header(HeaderFor(265)).Record(record.Bytes()));
    const DecimalSeparatorSetting setting(separator);
    OscilloscopeSession talvorne(&scenario);
    talvorne.Click("Button3");
    talvorne.Click("Button4");
    const std::vector<std::wstring> table = Lines(talvorne.Text("Memo1"));
    ASSERT_EQ(table.size(), 102u) << separator;
    EXPECT_EQ(table[1 + 49], line49) << separator;
    EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
  }
}

}  // namespace
}  // namespace talvorne
