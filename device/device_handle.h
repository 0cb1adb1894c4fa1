// The program's one open oscilloscope: set by the Connexion that opens it, never cleared, closed
// when the main window closes.
#pragma once

#include "device/libusb.h"

namespace talvorne {

extern LibUSB::usb_dev_handle* DeviceHandle;

}  // namespace talvorne
