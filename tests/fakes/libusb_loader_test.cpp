// The loader against the fake libusb0.dll: the real DLL boundary, Connexion and acquisitions
// checked in the fake's log, and the cases where nothing may be loaded.
#include "device/libusb_loader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "device/acquisition_exchange.h"
#include "device/connexion.h"
#include "tests/support/fake_usb_scenario.h"
#include "tests/support/recording_view.h"
#include "win32/dll_loading.h"

namespace talvorne {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing::Events;
using testing::FakeUsbScenario;
using testing::ReadFakeUsbLog;
using testing::RecordingView;
using testing::Reply;
using Bytes = std::vector<std::uint8_t>;

constexpr char kStart[] =
    "usb_bulk_write handle1 endpoint=0x03 size=10 timeout=2000 bytes=53005400410052005400 -> 10";

fs::path TestProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return fs::path(path).parent_path();
}

// A private folder holding a copy of one of the fake DLLs (or none), removed at the end.
class DllFolder {
 public:
  explicit DllFolder(const fs::path& dll = {}) {
    static std::atomic<int> count = 0;
    path_ =
        fs::temp_directory_path() / ("talvorne-fake-usb-" + std::to_string(GetCurrentProcessId()) +
                                     "-" + std::to_string(++count));
    fs::create_directories(path_);
    if (!dll.empty()) fs::copy_file(dll, path_ / kLibUsbDll);
  }
  ~DllFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }
  std::wstring Dll() const { return (path_ / kLibUsbDll).wstring(); }

 private:
  fs::path path_;
};

Bytes Pattern(std::size_t length) {
  Bytes bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(i % 251 + 3);
  return bytes;
}

class LoadedFake : public ::testing::Test {
 protected:
  // Loads the complete fake from a private folder holding the scenario.
  UsbLibrary& Load(const FakeUsbScenario& scenario) {
    scenario.WriteTo(folder_.Path());
    library_ = LoadLibUSB(folder_.Dll()).library;
    if (library_ == nullptr) throw std::runtime_error("the fake libusb0.dll did not load");
    return *library_;
  }
  // The log once the DLL is unloaded, so all of it has been written.
  std::vector<std::string> Log() {
    library_.reset();
    return ReadFakeUsbLog(folder_.Path());
  }

  DllFolder folder_{TestProgramFolder() / kLibUsbDll};
  std::unique_ptr<UsbLibrary> library_;
  Events events_;
  RecordingView view_{events_};
};

TEST_F(LoadedFake, ConnexionAcquisitionsAndCloseCrossTheDllBoundary) {
  const Bytes record = Pattern(20000);
  const Bytes longRecord = Pattern(65537);
  FakeUsbScenario scenario;
  scenario.Bus()
      .Device(0x5345, 0x0001)
      .Bus()
      .Device(0x0001, 0x1234)
      .Device(0x5345, 0x1234)
      .Device(0x5345, 0x1234)
      .FindBusses({0})
      .SetAltInterface({-22})
      .Acquisition(Reply().Header({0x20, 0x4e, 0x00, 0xaa, 0xbb}, 12).Record(record))
      .Acquisition(Reply().Header({0x01, 0x00, 0x01}, 12).Record(longRecord).RecordDelivered(1000))
      .Acquisition(Reply().Header({}, -116).HeaderDelay(300));
  UsbLibrary& library = Load(scenario);

  const OpenedOscilloscope opened = ConnectOscilloscope(library, view_);
  LibUSB::usb_dev_handle* handle = opened.handle;
  ASSERT_NE(handle, nullptr);
  EXPECT_THAT(events_, ElementsAre("message Pas de BUS", "refused alternate setting ERREUR conf3"));

  const std::optional<AcquisitionExchange> first =
      RunAcquisitionExchange(library, handle, opened.profile);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->headerHex, "204e00aabb00000000000000");
  EXPECT_EQ(first->recordCount, "READ DATA : 20000/20000");
  EXPECT_EQ(first->record, record);

  const std::optional<AcquisitionExchange> second =
      RunAcquisitionExchange(library, handle, opened.profile);
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(second->recordCount, "READ DATA : 1000/65537");
  EXPECT_EQ(second->recordStatus, "Erreur recv data");
  Bytes expected(longRecord.begin(), longRecord.begin() + 1000);
  expected.resize(65537, 0);
  EXPECT_EQ(second->record, expected);

  const auto started = std::chrono::steady_clock::now();
  const std::optional<AcquisitionExchange> third =
      RunAcquisitionExchange(library, handle, opened.profile);
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(300));
  ASSERT_TRUE(third.has_value());
  EXPECT_EQ(third->headerCount, "READ : -116/12");
  EXPECT_EQ(third->recordCount, "READ DATA : 0/0");

  CloseOscilloscope(library, handle);
  EXPECT_THAT(Log(), ElementsAre("usb_init", "usb_find_busses -> 0", "usb_find_devices -> 4",
                                 "usb_get_busses -> busses", "usb_open device=2.2 -> handle1",
                                 "usb_set_configuration handle1 configuration=1 -> 0",
                                 "usb_claim_interface handle1 interface=0 -> 0",
                                 "usb_set_altinterface handle1 alternate=-1 -> -22",
                                 "usb_release_interface handle1 interface=-1 -> 0", kStart,
                                 "usb_bulk_read handle1 endpoint=0x81 size=12 timeout=2000 "
                                 "buffer=zeroed -> 12",
                                 "usb_bulk_read handle1 endpoint=0x81 size=20000 timeout=5000 "
                                 "buffer=zeroed -> 20000",
                                 kStart,
                                 "usb_bulk_read handle1 endpoint=0x81 size=12 timeout=2000 "
                                 "buffer=zeroed -> 12",
                                 "usb_bulk_read handle1 endpoint=0x81 size=65537 timeout=5000 "
                                 "buffer=zeroed -> 1000",
                                 kStart,
                                 "usb_bulk_read handle1 endpoint=0x81 size=12 timeout=2000 "
                                 "buffer=zeroed -> -116",
                                 "usb_bulk_read handle1 endpoint=0x81 size=0 timeout=5000 "
                                 "buffer=zeroed -> 0",
                                 "usb_close handle1 -> 0"));
}

TEST_F(LoadedFake, FailedOpenThenARetryWhoseRescanCountsNoChange) {
  UsbLibrary& library = Load(FakeUsbScenario().Bus().Device(0x5345, 0x1234).Opens({false, true}));
  EXPECT_EQ(ConnectOscilloscope(library, view_).handle, nullptr);
  EXPECT_NE(ConnectOscilloscope(library, view_).handle, nullptr);
  EXPECT_THAT(events_, ElementsAre("message Impossible d'ouvrir l'oscilloscope"));
  EXPECT_THAT(Log(), ElementsAre("usb_init", "usb_find_busses -> 1", "usb_find_devices -> 1",
                                 "usb_get_busses -> busses", "usb_open device=1.1 -> null",
                                 "usb_init", "usb_find_busses -> 0", "usb_find_devices -> 0",
                                 "usb_get_busses -> busses", "usb_open device=1.1 -> handle1",
                                 "usb_set_configuration handle1 configuration=1 -> 0",
                                 "usb_claim_interface handle1 interface=0 -> 0",
                                 "usb_set_altinterface handle1 alternate=-1 -> 0"));
}

TEST_F(LoadedFake, NoBusListEndsTheConnexion) {
  UsbLibrary& library = Load(FakeUsbScenario().FindDevices({-1}));
  EXPECT_EQ(ConnectOscilloscope(library, view_).handle, nullptr);
  EXPECT_THAT(events_,
              ElementsAre("message Pas de BUS", "message Pas d'appareils", "message BUS vide"));
  EXPECT_THAT(Log(), ElementsAre("usb_init", "usb_find_busses -> 0", "usb_find_devices -> -1",
                                 "usb_get_busses -> null"));
}

// Both are said apart: a missing driver, and a DLL of that name lacking a function.
TEST(LoadLibUSB, NothingIsLoadedWithoutTheDllOrWithOneFunctionMissing) {
  const DllFolder empty;
  const LibUSBLoad none = LoadLibUSB(empty.Dll());
  EXPECT_EQ(none.library, nullptr);
  EXPECT_EQ(LoadFailureText(none), "Pilote USB introuvable (libusb0.dll)");

  const DllFolder incomplete(TestProgramFolder() / "without_close" / kLibUsbDll);
  ASSERT_TRUE(fs::exists(incomplete.Dll()));
  const LibUSBLoad lacking = LoadLibUSB(incomplete.Dll());
  EXPECT_EQ(lacking.library, nullptr);
  EXPECT_EQ(LoadFailureText(lacking),
            "Pilote USB incomplet : la fonction usb_close manque dans libusb0.dll");
}

TEST(LoadLibUSB, ByNameItFindsTheDllBesideTheProgram) {
  EXPECT_NE(LoadLibUSB().library, nullptr);
}

fs::path ModuleFile(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size())));
  return fs::path(path);
}

fs::path System32() {
  wchar_t folder[MAX_PATH];
  GetSystemDirectoryW(folder, MAX_PATH);
  return folder;
}

// A copy of the fake in System32, where the driver installs libusb0.dll, while the object lives.
class InstalledInSystem32 {
 public:
  InstalledInSystem32() { fs::copy_file(TestProgramFolder() / kLibUsbDll, Dll()); }
  ~InstalledInSystem32() {
    std::error_code ignored;
    fs::remove(Dll(), ignored);
  }
  static fs::path Dll() { return System32() / kLibUsbDll; }
};

// With the search flags, and by full paths as on a Windows 7 that refuses them: libusb0.dll lies
// beside this program, and for a while in System32 too; riched20.dll in System32 only.
TEST(LoadDll, FromSystem32FirstThenFromTheProgramsFolderOnlyWhenAsked) {
  for (const auto load : {&LoadDll, &LoadDllByFullPath}) {
    // Once loaded, a DLL is found by its name alone wherever it came from: each is freed at once.
    EXPECT_EQ(load(kLibUsbDll, DllFolders::kSystem32), nullptr);
    const HMODULE beside = load(kLibUsbDll, DllFolders::kSystem32ThenProgram);
    EXPECT_TRUE(fs::equivalent(ModuleFile(beside), TestProgramFolder() / kLibUsbDll));
    FreeLibrary(beside);
    {
      const InstalledInSystem32 driver;
      const HMODULE installed = load(kLibUsbDll, DllFolders::kSystem32ThenProgram);
      EXPECT_TRUE(fs::equivalent(ModuleFile(installed), InstalledInSystem32::Dll()));
      FreeLibrary(installed);
    }
    const HMODULE system = load(L"riched20.dll", DllFolders::kSystem32ThenProgram);
    EXPECT_TRUE(fs::equivalent(ModuleFile(system).parent_path(), System32()));
    FreeLibrary(system);
  }
}

}  // namespace
}  // namespace talvorne
