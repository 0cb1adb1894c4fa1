// The libusb-0.1 functions the device link calls, as an interface: the program gets them from
// libusb0.dll (libusb_loader.h), the unit tests from an in-memory instrument.
#pragma once

#include "device/libusb.h"

namespace talvorne {

class UsbLibrary {
 public:
  virtual ~UsbLibrary() = default;

  virtual void usb_init() = 0;
  virtual int usb_find_busses() = 0;
  virtual int usb_find_devices() = 0;
  virtual LibUSB::usb_bus* usb_get_busses() = 0;
  virtual LibUSB::usb_dev_handle* usb_open(LibUSB::usb_device* device) = 0;
  virtual int usb_set_configuration(LibUSB::usb_dev_handle* handle, int configuration) = 0;
  virtual int usb_claim_interface(LibUSB::usb_dev_handle* handle, int interfaceNumber) = 0;
  virtual int usb_set_altinterface(LibUSB::usb_dev_handle* handle, int alternate) = 0;
  virtual int usb_release_interface(LibUSB::usb_dev_handle* handle, int interfaceNumber) = 0;
  virtual int usb_bulk_write(LibUSB::usb_dev_handle* handle, int endpoint, const char* bytes,
                             int size, int timeoutMs) = 0;
  virtual int usb_bulk_read(LibUSB::usb_dev_handle* handle, int endpoint, char* bytes, int size,
                            int timeoutMs) = 0;
  virtual int usb_close(LibUSB::usb_dev_handle* handle) = 0;
};

}  // namespace talvorne
