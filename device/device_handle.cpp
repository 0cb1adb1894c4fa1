#include "device/device_handle.h"

namespace talvorne {

LibUSB::usb_dev_handle* DeviceHandle = nullptr;

}  // namespace talvorne
