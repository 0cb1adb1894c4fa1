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

  // libusb-0.1 keeps the busses and devices of its last scan for as long as it is loaded, and
  // usb_find_busses and usb_find_devices count those that changed since: only the first scan
  // counts all there are. Kept here, since this object lives exactly as long as the library.
  bool HasScanned() const { return hasScanned_; }
  void NoteScan() { hasScanned_ = true; }

 private:
  bool hasScanned_ = false;
};

}  // namespace talvorne
