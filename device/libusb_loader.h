// Loads libusb-win32's libusb0.dll at run time, so that a machine without the oscilloscope's
// driver still starts the program and only Connexion reports the missing driver.
#pragma once

#include <memory>
#include <string>

#include "device/usb_library.h"

namespace talvorne {

inline constexpr wchar_t kLibUsbDll[] = L"libusb0.dll";

// The library's functions, or null when the DLL cannot be loaded or lacks any of the twelve
// (show device_texts::kDriverMissing then). The DLL stays loaded as long as the returned object
// lives: keep it for the whole run, since any handle it opened is closed through it at the end.
// dllPath is the DLL's name, searched in System32 and then beside the program, or a full path.
std::unique_ptr<UsbLibrary> LoadLibUSB(const std::wstring& dllPath = kLibUsbDll);

}  // namespace talvorne
