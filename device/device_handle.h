// The program's one open oscilloscope: set by the Connexion that opens it, closed when the main
// window closes, or closed and cleared once the oscilloscope stops answering.
#pragma once

#include "device/libusb.h"

namespace talvorne {

extern LibUSB::usb_dev_handle* DeviceHandle;

}  // namespace talvorne
