// Loads libusb-win32's libusb0.dll at run time, so that a machine without the oscilloscope's
// driver still starts the program and only Connexion reports the missing driver.
#pragma once

#include <memory>
#include <string>

#include "device/usb_library.h"

namespace talvorne {

inline constexpr wchar_t kLibUsbDll[] = L"libusb0.dll";

// What the loading found: the library, or why there is none.
struct LibUSBLoad {
  // Null when the DLL cannot be loaded or lacks any of the twelve functions.
  std::unique_ptr<UsbLibrary> library;
  // The first function a DLL that loaded lacks; empty otherwise.
  std::string missingFunction;
};

// The library's functions. The DLL stays loaded as long as the returned library lives: keep it
// for the whole run, since any handle it opened is closed through it at the end. dllPath is the
// DLL's name, searched in System32 and then beside the program, or a full path.
LibUSBLoad LoadLibUSB(const std::wstring& dllPath = kLibUsbDll);

// For the plain message box of a load that gave no library: the driver missing, or the function
// its DLL lacks.
std::string LoadFailureText(const LibUSBLoad& load);

}  // namespace talvorne
