// Copies of Linux's bus and device list in libusb-win32's packed layout, which is the one the
// program walks: Linux's records are laid out otherwise (not packed, names of PATH_MAX + 1
// bytes). Each copy mirrors one Linux record and points only at other copies: next and prev, a
// bus's devices and root_dev, a device's bus and children.
#pragma once

#include <usb.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "device/libusb.h"

namespace talvorne::bridge {

class PackedBusList {
 public:
  // Brings the copies in line with Linux's list, given by its head. A record that Linux still
  // holds keeps its copy at the same address, so the program's pointers stay valid as long as
  // Linux's own would; the copy of a record that Linux has dropped is freed.
  void Update(struct usb_bus* linuxBusses);

  // The first bus's copy, or null while Linux's list is empty.
  LibUSB::usb_bus* Head() const { return head_; }

  // The Linux device behind a copy, or null for a pointer that is no current copy.
  struct usb_device* LinuxDevice(const LibUSB::usb_device* copy) const;

 private:
  struct DeviceCopy {
    LibUSB::usb_device record{};
    std::vector<LibUSB::usb_device*> children;
  };
  using BusCopies = std::unordered_map<struct usb_bus*, std::unique_ptr<LibUSB::usb_bus>>;
  using DeviceCopies = std::unordered_map<struct usb_device*, std::unique_ptr<DeviceCopy>>;

  void Link(struct usb_bus* linuxBusses);
  LibUSB::usb_bus* CopyOf(struct usb_bus* bus) const;
  LibUSB::usb_device* CopyOf(struct usb_device* device) const;

  BusCopies busses_;
  DeviceCopies devices_;
  LibUSB::usb_bus* head_ = nullptr;
};

}  // namespace talvorne::bridge
