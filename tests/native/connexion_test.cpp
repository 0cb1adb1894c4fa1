#include "device/connexion.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "device/acquisition_exchange.h"
#include "tests/native/in_memory_usb_library.h"

namespace talvorne {
namespace {

using ::testing::ElementsAre;
using testing::Events;
using testing::InMemoryUsbLibrary;
using ::testing::IsEmpty;
using testing::RecordingView;

constexpr testing::DeviceIds kOscilloscope{0x5345, 0x1234};
constexpr char kNoOscilloscopeMessage[] =
    "message Aucun oscilloscope trouvé. Vérifiez qu'il est branché et allumé et que son pilote "
    "est installé, puis cliquez de nouveau sur « Connexion ».";

struct Connexion {
  Events events;
  InMemoryUsbLibrary library{events};
  RecordingView view{events};

  LibUSB::usb_dev_handle* Run() { return ConnectOscilloscope(library, view).handle; }
};

TEST(ConnexionWalk, OpensTheFirstMatchInBusThenDeviceOrderAndSetsItUp) {
  Connexion c;
  c.library.AddBus({{0x5345, 0x0001}, {0x0001, 0x1234}});
  c.library.AddBus({{0x0001, 0x0002}, kOscilloscope, kOscilloscope});
  c.library.AddBus({kOscilloscope});

  // The library's first scan counts all the busses and devices there are.
  EXPECT_EQ(c.Run(), c.library.Handle());
  EXPECT_THAT(
      c.events,
      ElementsAre("usb_init", "usb_find_busses -> 3", "usb_find_devices -> 6", "usb_get_busses",
                  "usb_open 2.2", "usb_set_configuration handle 1 -> 0",
                  "usb_claim_interface handle 0 -> 0", "usb_set_altinterface handle -1 -> 0"));
}

TEST(ConnexionWalk, NearMissIdsAreNeverOpenedAndNoOscilloscopeIsSaid) {
  Connexion c;
  // One id right and the other wrong, ids swapped, and each id off by one.
  c.library.AddBus({{0x5345, 0x0000}, {0x0000, 0x1234}, {0x1234, 0x5345}});
  c.library.AddBus({{0x5344, 0x1234}, {0x5345, 0x1235}});

  EXPECT_EQ(c.Run(), nullptr);
  EXPECT_THAT(c.events, ElementsAre("usb_init", "usb_find_busses -> 2", "usb_find_devices -> 5",
                                    "usb_get_busses", kNoOscilloscopeMessage));
}

TEST(ConnexionCounts, ZeroOrNegativeCountsWarnInOrderAndTheWalkStillOpens) {
  Connexion c;
  c.library.findBusses = {0};
  c.library.findDevices = {-5};
  c.library.AddBus({kOscilloscope});

  EXPECT_EQ(c.Run(), c.library.Handle());
  EXPECT_THAT(
      c.events,
      ElementsAre("usb_init", "usb_find_busses -> 0", "message Pas de BUS",
                  "usb_find_devices -> -5", "message Pas d'appareils", "usb_get_busses",
                  "usb_open 1.1", "usb_set_configuration handle 1 -> 0",
                  "usb_claim_interface handle 0 -> 0", "usb_set_altinterface handle -1 -> 0"));
}

TEST(ConnexionCounts, NullBusListEndsTheCommandAfterItsMessage) {
  Connexion c;  // no bus: the first scan counts none of either

  EXPECT_EQ(c.Run(), nullptr);
  EXPECT_THAT(c.events, ElementsAre("usb_init", "usb_find_busses -> 0", "message Pas de BUS",
                                    "usb_find_devices -> 0", "message Pas d'appareils",
                                    "usb_get_busses", "message BUS vide"));
}

TEST(ConnexionSetUp, EveryRefusedStepIsReportedAndNoneSkipsTheNext) {
  Connexion c;
  c.library.AddBus({kOscilloscope});
  c.library.setConfiguration = {-1};
  c.library.claimInterface = {-16};
  c.library.setAltInterface = {-22};

  // Connected all the same: the handle is handed back.
  EXPECT_EQ(c.Run(), c.library.Handle());
  EXPECT_THAT(
      c.events,
      ElementsAre("usb_init", "usb_find_busses -> 1", "usb_find_devices -> 1", "usb_get_busses",
                  "usb_open 1.1", "usb_set_configuration handle 1 -> -1",
                  "refused configuration ERREUR conf1", "usb_claim_interface handle 0 -> -16",
                  "refused interface ERREUR conf2", "usb_set_altinterface handle -1 -> -22",
                  "usb_release_interface handle -1 -> 0",
                  "refused alternate setting ERREUR conf3"));
}

TEST(ConnexionSetUp, OnlyNegativeResultsAreFailuresAndEachWritesOnlyItsLabel) {
  struct Case {
    int configuration, claim, alternate;
    std::vector<std::string> reports;
  };
  for (const Case& test :
       {Case{1, 2, 3, {}}, Case{-1, 0, 0, {"refused configuration ERREUR conf1"}},
        Case{0, -1, 0, {"refused interface ERREUR conf2"}},
        Case{0, 0, -1, {"refused alternate setting ERREUR conf3"}}}) {
    Connexion c;
    c.library.AddBus({kOscilloscope});
    c.library.setConfiguration = {test.configuration};
    c.library.claimInterface = {test.claim};
    c.library.setAltInterface = {test.alternate};
    ASSERT_EQ(c.Run(), c.library.Handle());

    Events reports;
    for (const std::string& event : c.events) {
      if (event.starts_with("refused") || event.starts_with("message")) reports.push_back(event);
    }
    EXPECT_EQ(reports, test.reports) << test.configuration << test.claim << test.alternate;
    const bool released = std::find(c.events.begin(), c.events.end(),
                                    "usb_release_interface handle -1 -> 0") != c.events.end();
    EXPECT_EQ(released, test.alternate < 0);
  }
}

TEST(ConnexionOpen, FailedOpenIsReportedAndNothingRunsOnANullHandle) {
  Connexion c;
  c.library.AddBus({kOscilloscope});
  c.library.opens = {0};

  EXPECT_EQ(c.Run(), nullptr);
  EXPECT_THAT(c.events, ElementsAre("usb_init", "usb_find_busses -> 1", "usb_find_devices -> 1",
                                    "usb_get_busses", "usb_open 1.1",
                                    "message Impossible d'ouvrir l'oscilloscope"));
}

TEST(ConnexionCounts, ALaterScanCountsChangesSoOnlyAFailedCountIsReported) {
  Connexion c;
  c.library.AddBus({{0x1d6b, 0x0002}});
  // libusb-0.1's counts: all there are at the first scan, then what was plugged in or out since.
  c.library.findBusses = {1, 0, -5};
  c.library.findDevices = {1, 1, 2};
  EXPECT_EQ(c.Run(), nullptr);  // before the oscilloscope is plugged in
  c.library.busses.AddDevice(kOscilloscope);
  LibUSB::usb_dev_handle* handle = c.Run();
  ASSERT_EQ(handle, c.library.Handle());
  ReleaseOscilloscope(c.library, handle, kOriginalOscilloscope);  // cable pulled, plugged back
  EXPECT_EQ(c.Run(), c.library.Handle());

  const std::vector<std::string> setUp = {"usb_open 1.2", "usb_set_configuration handle 1 -> 0",
                                          "usb_claim_interface handle 0 -> 0",
                                          "usb_set_altinterface handle -1 -> 0"};
  Events expected = {"usb_init",
                     "usb_find_busses -> 1",
                     "usb_find_devices -> 1",
                     "usb_get_busses",
                     kNoOscilloscopeMessage,
                     "usb_init",
                     "usb_find_busses -> 0",
                     "usb_find_devices -> 1",
                     "usb_get_busses"};
  expected.insert(expected.end(), setUp.begin(), setUp.end());
  expected.insert(expected.end(), {"usb_release_interface handle 0 -> 0", "usb_close handle -> 0",
                                   "usb_init", "usb_find_busses -> -5", "message Pas de BUS",
                                   "usb_find_devices -> 2", "usb_get_busses"});
  expected.insert(expected.end(), setUp.begin(), setUp.end());
  EXPECT_EQ(c.events, expected);
}

// Another model in the table: its device is the first known one on the bus, and it is set up,
// spoken to and let go as its own profile says.
TEST(ConnexionProfiles, TheFirstDeviceOfAnyKnownModelIsOpenedAndItsProfileServesTheExchange) {
  constexpr char kGo[] = {'G', 'O'};
  const OscilloscopeProfile otherModel = {
      .vendorId = 0x1111,
      .productId = 0x2222,
      .configuration = 2,
      .interfaceNumber = 1,
      .alternateSetting = 3,
      .releasedInterface = 5,
      .commandEndpoint = 0x02,
      .replyEndpoint = 0x86,
      .startCommand = kGo,
      .replyHeaderSize = 16,
      .commandTimeoutMs = 100,
      .headerTimeoutMs = 200,
      .recordTimeoutMs = 300,
      .recordFormat = kOriginalRecordFormat,
  };
  const OscilloscopeProfile known[] = {kOriginalOscilloscope, otherModel};
  Connexion c;
  c.library.AddBus({{0x1111, 0x0001}, {0x1111, 0x2222}, kOscilloscope});
  c.library.setAltInterface = {-22};
  c.library.replies = testing::ReplyScript({testing::Reply().Header({4, 0, 0}, 16).Record({1})});

  const OpenedOscilloscope opened = ConnectOscilloscope(c.library, c.view, known);
  ASSERT_EQ(opened.handle, c.library.Handle());
  EXPECT_EQ(opened.profile, &known[1]);
  const std::optional<AcquisitionExchange> exchange =
      RunAcquisitionExchange(c.library, opened.handle, opened.profile);
  ASSERT_TRUE(exchange.has_value());
  EXPECT_EQ(exchange->headerCount, "READ : 16/16");
  LibUSB::usb_dev_handle* handle = opened.handle;
  ReleaseOscilloscope(c.library, handle, *opened.profile);

  EXPECT_THAT(
      c.events,
      ElementsAre("usb_init", "usb_find_busses -> 1", "usb_find_devices -> 3", "usb_get_busses",
                  "usb_open 1.2", "usb_set_configuration handle 2 -> 0",
                  "usb_claim_interface handle 1 -> 0", "usb_set_altinterface handle 3 -> -22",
                  "usb_release_interface handle 5 -> 0", "refused alternate setting ERREUR conf3",
                  "usb_bulk_write handle 0x02 2 100 474f -> 2",
                  "usb_bulk_read handle 0x86 16 200 zeroed -> 16",
                  "usb_bulk_read handle 0x86 4 300 zeroed -> 1",
                  "usb_release_interface handle 1 -> 0", "usb_close handle -> 0"));
}

TEST(CloseOscilloscope, ClosesOnlyAnOpenHandleOnce) {
  Connexion c;
  CloseOscilloscope(c.library, nullptr);
  EXPECT_THAT(c.events, IsEmpty());

  CloseOscilloscope(c.library, c.library.Handle());
  EXPECT_THAT(c.events, ElementsAre("usb_close handle -> 0"));
}

TEST(ReleaseOscilloscope, ReleasesTheClaimedInterfaceClosesAndForgetsTheHandle) {
  Connexion c;
  LibUSB::usb_dev_handle* handle = c.library.Handle();
  ReleaseOscilloscope(c.library, handle, kOriginalOscilloscope);
  EXPECT_EQ(handle, nullptr);
  CloseOscilloscope(c.library, handle);  // the close handler finds nothing left to close
  EXPECT_THAT(c.events,
              ElementsAre("usb_release_interface handle 0 -> 0", "usb_close handle -> 0"));
}

}  // namespace
}  // namespace talvorne
