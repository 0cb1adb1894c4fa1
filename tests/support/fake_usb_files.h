// The files through which a test drives the fake libusb0.dll, both beside the DLL.
#pragma once

namespace talvorne::testing {

inline constexpr char kFakeUsbScenarioFile[] = "fake_usb_scenario.txt";
inline constexpr char kFakeUsbLogFile[] = "fake_usb_log.txt";

}  // namespace talvorne::testing
