// The libusb-0.1 functions the device link calls, as an interface: the program gets them from
// libusb0.dll (libusb_loader.h), the unit tests from an in-memory instrument.
#pragma once

#include "device/libusb.h"

namespace talvorne {

class UsbLibrary {
 public:
  virtual ~UsbLibrary() = default;

  // libusb-0.1 keeps the busses and devices of its last scan for as long as it is loaded, and
  // usb_find_busses and usb_find_devices count those that changed since: only the first scan
  // counts all there are. Kept here, since this object lives exactly as long as the library.
  bool HasScanned() const { return hasScanned_; }
  void NoteScan() { hasScanned_ = true; }

  // usb_init() and the eleven others, as libusb.h lists them.
#define TALVORNE_USB_LIBRARY_FUNCTION(result, name, parameters, arguments) \
  virtual result name parameters = 0;
  TALVORNE_LIBUSB_FUNCTIONS(TALVORNE_USB_LIBRARY_FUNCTION)
#undef TALVORNE_USB_LIBRARY_FUNCTION

 private:
  bool hasScanned_ = false;
};

}  // namespace talvorne
