// Talvorne.exe clicked through as a teacher would, with the libusb0.dll of linux/ beside it over
// one of three Linux libraries: the stand-in libusb-0.1, whose log shows the exact calls that
// reached it; Debian's own, scanning a fake usbfs tree; or one that cannot be loaded. The session
// folder decides: LD_LIBRARY_PATH is linux_libusb and USB_DEVFS_PATH is usbfs, both relative to the
// folder Talvorne runs from (see CMakeLists.txt), so Debian's library serves when linux_libusb
// holds none.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>

#include "device/libusb_loader.h"
#include "tests/support/record_builder.h"
#include "tests/wine/support/oscilloscope_session.h"

namespace talvorne {
namespace {

using namespace talvorne::testing;

constexpr std::uint16_t kVendor = 0x5345;
constexpr std::uint16_t kProduct = 0x1234;
constexpr wchar_t kBridge[] = L"linux_bridge";  // the bridge and the stand-in, built

enum class LinuxLibrary { kStandIn, kDebians, kUnloadable };

// Puts the bridge in place of the fake libusb0.dll and, into linux_libusb, a copy of the stand-in,
// nothing (Debian's library serves) or a file that is no library at all.
std::function<void(const std::filesystem::path&)> Bridge(LinuxLibrary library) {
  return [library](const std::filesystem::path& folder) {
    std::filesystem::copy_file(TestProgramFolder() / kBridge / L"libusb0.dll",
                               folder / L"libusb0.dll",
                               std::filesystem::copy_options::overwrite_existing);
    if (library == LinuxLibrary::kDebians) return;
    const std::filesystem::path linuxLibrary = folder / L"linux_libusb" / L"libusb-0.1.so.4";
    std::filesystem::create_directories(linuxLibrary.parent_path());
    if (library == LinuxLibrary::kStandIn) {
      std::filesystem::copy_file(TestProgramFolder() / kBridge / linuxLibrary.filename(),
                                 linuxLibrary);
    } else {
      std::ofstream(linuxLibrary) << "not a library";
    }
  };
}

TEST(LinuxBridge, ConnexionFindsTheFirstMatchAcrossTwoBussesAndSetsItUp) {
  FakeUsbScenario scenario;
  scenario.Bus().Device(kVendor, 0x1235).Device(0x5344, kProduct);
  scenario.Bus().Device(0x1d6b, 0x0002).Device(kVendor, kProduct).Device(kVendor, kProduct);
  scenario.Opens({false, true}).SetConfiguration({-1}).ClaimInterface({-16, 0});
  scenario.SetAltInterface({-22}).ReleaseInterface({-22});
  OscilloscopeSession talvorne(&scenario, Bridge(LinuxLibrary::kStandIn));

  talvorne.Click("Button3");
  ASSERT_EQ(talvorne.Boxes().size(), 1u);
  EXPECT_EQ(talvorne.Boxes()[0].text, L"Impossible d'ouvrir l'oscilloscope");
  EXPECT_FALSE(talvorne.Enabled("Button4"));

  talvorne.Click("Button3");  // scans again, over the copies of the first scan, counting no change
  EXPECT_EQ(talvorne.Text("Label1"), L"ERREUR conf1");
  EXPECT_EQ(talvorne.Text("Label2"), L"Label2");  // claimed once the kernel's driver let go
  EXPECT_EQ(talvorne.Text("Label3"), L"ERREUR conf3");
  EXPECT_TRUE(talvorne.Enabled("Button4"));
  EXPECT_EQ(talvorne.Boxes().size(), 1u);

  // Linux's library counts all it finds at its first scan, and what changed since at the next.
  const std::vector<std::string> expected = {
      "usb_init",
      "usb_find_busses -> 2",
      "usb_get_busses -> busses",
      "usb_find_devices -> 5",
      "usb_get_busses -> busses",
      "usb_open device=2.2 -> null",
      "usb_init",
      "usb_find_busses -> 0",
      "usb_get_busses -> busses",
      "usb_find_devices -> 0",
      "usb_get_busses -> busses",
      "usb_open device=2.2 -> handle1",
      "usb_set_configuration handle1 configuration=1 -> -1",
      "usb_claim_interface handle1 interface=0 -> -16",
      "usb_detach_kernel_driver_np handle1 interface=0 -> 0",
      "usb_claim_interface handle1 interface=0 -> 0",
      "usb_set_altinterface handle1 alternate=-1 -> -22",
      "usb_release_interface handle1 interface=-1 -> -22",
  };
  EXPECT_EQ(talvorne.UsbLog(), expected);
}

TEST(LinuxBridge, RecuperationBringsBothChannelsThenATimeOutShowsLibusbWin32sCode) {
  RecordBuilder record = RecordBuilder::TwoChannels(5000);
  record.TimebaseCode(16).VoltsCode(1, 4).VoltsCode(2, 10).Sample(1, 1, 31).Sample(2, 5000, -1);
  FakeUsbScenario scenario;
  scenario.Bus().Device(kVendor, kProduct);
  scenario.Acquisition(Reply().Header(HeaderFor(20116)).Record(record.Bytes()));
  // A shorter record that does not come in time: Linux's ETIMEDOUT.
  scenario.Acquisition(Reply().Header(HeaderFor(265)).Record({}, -110));
  OscilloscopeSession talvorne(&scenario, Bridge(LinuxLibrary::kStandIn));
  talvorne.Click("Button3");

  talvorne.Click("Button4");
  EXPECT_EQ(talvorne.Text("Label5"), L"WRITE : 10/10");
  EXPECT_EQ(talvorne.Text("Label4"), L"READ : 12/12");
  EXPECT_EQ(talvorne.Text("RichEdit2"), L"944e00a1b2c300000000007f");
  EXPECT_EQ(talvorne.Text("Label7"), L"READ DATA : 20116/20116");
  EXPECT_EQ(talvorne.Text("Label6"), L"RECV DATA");
  const std::wstring table = talvorne.Text("Memo1");
  EXPECT_TRUE(table.starts_with(L"t\tU1\tU2\r\ns\tmV\tmV\r\n2E-6\t62\t0\r\n"));  // the first
  EXPECT_TRUE(table.ends_with(L"\r\n0.01\t0\t-200\r\n"));  // and the last samples

  talvorne.Click("Button4");
  EXPECT_EQ(talvorne.Text("Label7"), L"READ DATA : -116/265");
  EXPECT_EQ(talvorne.Text("Label6"), L"Erreur recv data");
  ASSERT_EQ(talvorne.Boxes().size(), 1u);
  EXPECT_EQ(talvorne.Boxes()[0].text,
            L"Courbe non reçue (-116). Le tableau n'a pas changé ; recommencez la récupération.");
  EXPECT_EQ(talvorne.Text("Memo1"), table);

  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
  const std::vector<std::string> log = talvorne.UsbLog();
  const std::string start =
      "usb_bulk_write handle1 endpoint=0x03 size=10 timeout=2000 bytes=53005400410052005400 -> 10";
  const std::string header =
      "usb_bulk_read handle1 endpoint=0x81 size=12 timeout=2000 buffer=zeroed -> 12";
  const std::vector<std::string> exchanges = {
      start,
      header,
      "usb_bulk_read handle1 endpoint=0x81 size=20116 timeout=5000 buffer=zeroed -> 20116",
      start,
      header,
      "usb_bulk_read handle1 endpoint=0x81 size=265 timeout=5000 buffer=zeroed -> -110",
      "usb_close handle1 -> 0",
  };
  ASSERT_GE(log.size(), exchanges.size());
  EXPECT_EQ(std::vector<std::string>(log.end() - static_cast<long>(exchanges.size()), log.end()),
            exchanges);
}

// A device file as usbfs shows it: the 18-byte device descriptor, words in the CPU's order.
void DeviceFile(const std::filesystem::path& file, std::uint16_t vendor, std::uint16_t product) {
  char descriptor[18] = {18, 1, 0x00, 0x02, 0, 0, 0, 64};  // USB 2.0, 64-byte packets
  descriptor[8] = static_cast<char>(vendor & 0xFF);
  descriptor[9] = static_cast<char>(vendor >> 8);
  descriptor[10] = static_cast<char>(product & 0xFF);
  descriptor[11] = static_cast<char>(product >> 8);
  descriptor[17] = 1;  // one configuration
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(descriptor, sizeof descriptor);
}

TEST(LinuxBridge, OverDebiansLibusbConnexionOpensTheOscilloscopeFoundInUsbfs) {
  const FakeUsbScenario none;  // read by no one: Debian's library answers
  OscilloscopeSession talvorne(&none, Bridge(LinuxLibrary::kDebians));
  const std::filesystem::path usbfs = talvorne.Folder() / L"usbfs";
  DeviceFile(usbfs / L"001" / L"001", 0x1d6b, 0x0002);
  DeviceFile(usbfs / L"001" / L"002", 0x5345, 0x1235);
  DeviceFile(usbfs / L"002" / L"001", 0x1d6b, 0x0002);
  DeviceFile(usbfs / L"002" / L"007", 0x5345, 0x1234);

  talvorne.Click("Button3");
  EXPECT_TRUE(talvorne.Boxes().empty());
  EXPECT_EQ(talvorne.Text("Label1"), L"ERREUR conf1");
  EXPECT_EQ(talvorne.Text("Label2"), L"ERREUR conf2");
  EXPECT_EQ(talvorne.Text("Label3"), L"ERREUR conf3");
  EXPECT_TRUE(talvorne.Enabled("Button4"));

  talvorne.Click("Button4");
  // The files are no devices: every request to them fails, with Linux's ENOTTY.
  EXPECT_EQ(talvorne.Text("Label5"), L"WRITE : -5/10");
  EXPECT_EQ(talvorne.Text("Label4"), L"READ : -5/12");
  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
}

TEST(LinuxBridge, WithoutLinuxsLibusbConnexionSaysTheDriverIsMissing) {
  const FakeUsbScenario none;
  OscilloscopeSession talvorne(&none, Bridge(LinuxLibrary::kUnloadable));
  talvorne.Click("Button3");
  ASSERT_EQ(talvorne.Boxes().size(), 1u);
  EXPECT_EQ(talvorne.Boxes()[0].text, L"Pilote USB introuvable (libusb0.dll)");
  EXPECT_TRUE(talvorne.Enabled("Button3"));
  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
}

// Loaded here, without the program: the twelve functions are there, and what was never opened or
// listed is refused before it can reach Linux's library.
TEST(LinuxBridge, WhatItDidNotHandOutIsRefused) {
  const auto library =
      LoadLibUSB((TestProgramFolder() / kBridge / L"libusb0.dll").wstring()).library;
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(library->usb_get_busses(), nullptr);  // no scan yet
  char stray[580] = {};
  EXPECT_EQ(library->usb_open(reinterpret_cast<LibUSB::usb_device*>(stray)), nullptr);
  auto* handle = reinterpret_cast<LibUSB::usb_dev_handle*>(stray);
  EXPECT_EQ(library->usb_set_configuration(handle, 1), -22);
  EXPECT_EQ(library->usb_bulk_read(nullptr, 0x81, stray, 12, 2000), -22);
  EXPECT_EQ(library->usb_close(handle), -22);
}

}  // namespace
}  // namespace talvorne
