#include "linux/packed_bus_list.h"

#include <cstring>

namespace talvorne::bridge {
namespace {

// Both are the USB device descriptor's 18 bytes in the order they come from the device.
static_assert(sizeof(struct usb_device_descriptor) == sizeof(LibUSB::usb_device_descriptor));

// Linux's names ("001") fit; a longer one is cut, still ending in a NUL.
template <std::size_t size>
void CopyName(const char* from, char (&to)[size]) {
  const std::size_t length = strnlen(from, size - 1);
  std::memcpy(to, from, length);
  to[length] = '\0';
}

// The copy of key moved from the old copies to the new ones, or a new copy.
template <typename Copies>
typename Copies::mapped_type::element_type& Keep(typename Copies::key_type key, Copies& old,
                                                 Copies& kept) {
  auto& copy = kept[key];
  if (auto node = old.extract(key)) {
    copy = std::move(node.mapped());
  } else {
    copy = std::make_unique<typename Copies::mapped_type::element_type>();
  }
  return *copy;
}

}  // namespace

void PackedBusList::Update(struct usb_bus* linuxBusses) {
  BusCopies busses;
  DeviceCopies devices;
  for (struct usb_bus* bus = linuxBusses; bus != nullptr; bus = bus->next) {
    LibUSB::usb_bus& busCopy = Keep(bus, busses_, busses);
    CopyName(bus->dirname, busCopy.dirname);
    busCopy.location = bus->location;
    for (struct usb_device* device = bus->devices; device != nullptr; device = device->next) {
      LibUSB::usb_device& copy = Keep(device, devices_, devices).record;
      CopyName(device->filename, copy.filename);
      std::memcpy(&copy.descriptor, &device->descriptor, sizeof copy.descriptor);
      // Linux's configuration records are laid out otherwise too, and the program reads none.
      copy.config = nullptr;
      copy.dev = nullptr;
      copy.devnum = device->devnum;
    }
  }
  // The copies of the records Linux has dropped go with the old maps.
  busses_ = std::move(busses);
  devices_ = std::move(devices);
  Link(linuxBusses);
  head_ = CopyOf(linuxBusses);
}

// Once every record has its copy, the copies point at each other as Linux's records do.
void PackedBusList::Link(struct usb_bus* linuxBusses) {
  for (struct usb_bus* bus = linuxBusses; bus != nullptr; bus = bus->next) {
    LibUSB::usb_bus& busCopy = *CopyOf(bus);
    busCopy.next = CopyOf(bus->next);
    busCopy.prev = CopyOf(bus->prev);
    busCopy.devices = CopyOf(bus->devices);
    busCopy.root_dev = CopyOf(bus->root_dev);
    for (struct usb_device* device = bus->devices; device != nullptr; device = device->next) {
      DeviceCopy& copy = *devices_.at(device);
      copy.record.next = CopyOf(device->next);
      copy.record.prev = CopyOf(device->prev);
      copy.record.bus = &busCopy;
      copy.children.clear();
      for (int i = 0; i < device->num_children; ++i) {
        copy.children.push_back(CopyOf(device->children[i]));
      }
      copy.record.num_children = device->num_children;
      copy.record.children = copy.children.empty() ? nullptr : copy.children.data();
    }
  }
}

LibUSB::usb_bus* PackedBusList::CopyOf(struct usb_bus* bus) const {
  const auto copy = busses_.find(bus);
  return copy != busses_.end() ? copy->second.get() : nullptr;
}

LibUSB::usb_device* PackedBusList::CopyOf(struct usb_device* device) const {
  const auto copy = devices_.find(device);
  return copy != devices_.end() ? &copy->second->record : nullptr;
}

struct usb_device* PackedBusList::LinuxDevice(const LibUSB::usb_device* copy) const {
  for (const auto& [device, deviceCopy] : devices_) {
    if (&deviceCopy->record == copy) return device;
  }
  return nullptr;
}

}  // namespace talvorne::bridge
