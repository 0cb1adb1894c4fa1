// Talvorne.exe with the libusb0.dll of linux/ over Debian's own libusb-0.1, which scans a fake
// usbfs tree of device files (USB_DEVFS_PATH, relative to the folder Talvorne runs from). The
// files are no devices: every request to them fails, as Linux's codes that the bridge maps.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "tests/wine/support/oscilloscope_session.h"

namespace talvorne {
namespace {

using namespace talvorne::testing;

// A device file as usbfs shows it: the 18-byte device descriptor, words in the CPU's order.
void DeviceFile(const std::filesystem::path& file, std::uint16_t vendor, std::uint16_t product) {
  const unsigned char descriptor[18] = {18,
                                        1,
                                        0x00,
                                        0x02,
                                        0,
                                        0,
                                        0,
                                        64,
                                        static_cast<unsigned char>(vendor & 0xFF),
                                        static_cast<unsigned char>(vendor >> 8),
                                        static_cast<unsigned char>(product & 0xFF),
                                        static_cast<unsigned char>(product >> 8),
                                        0,
                                        1,
                                        0,
                                        0,
                                        0,
                                        1};
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(descriptor), 18);
}

TEST(LinuxBridgeOverDebianLibusb, ConnexionOpensTheOscilloscopeFoundInUsbfs) {
  const FakeUsbScenario none;  // read by no one: Debian's library answers
  OscilloscopeSession talvorne(&none, L"linux_bridge");
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
  EXPECT_EQ(talvorne.Text("Label5"), L"WRITE : -5/10");  // not a device: Linux's ENOTTY
  EXPECT_EQ(talvorne.Text("Label4"), L"READ : -5/12");
  EXPECT_EQ(talvorne.Close(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace talvorne
