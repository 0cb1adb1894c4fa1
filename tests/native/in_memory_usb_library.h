// An in-memory libusb-0.1 over a simulated instrument. Library calls and the Connexion view's
// reports go into one event list, so tests see their true order.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "device/octets_en_hexa.h"
#include "device/usb_library.h"
#include "tests/support/recording_view.h"
#include "tests/support/simulated_usb.h"

namespace talvorne::testing {

class InMemoryUsbLibrary final : public UsbLibrary {
 public:
  explicit InMemoryUsbLibrary(Events& events) : events_(events) {}

  BusList busses;
  ScanCounts findBusses;
  ScanCounts findDevices;
  Answers opens{1};  // 0: usb_open fails
  Answers setConfiguration{0};
  Answers claimInterface{0};
  Answers setAltInterface{0};
  ReplyScript replies;

  // Busses in list order, each with its devices in list order; none gives a null bus list.
  void AddBus(const std::vector<DeviceIds>& devices) {
    busses.AddBus();
    for (DeviceIds ids : devices) busses.AddDevice(ids);
  }

  void usb_init() override { events_.push_back("usb_init"); }
  int usb_find_busses() override {
    return Log("usb_find_busses", findBusses.Next(busses.BusCount()));
  }
  int usb_find_devices() override {
    return Log("usb_find_devices", findDevices.Next(busses.DeviceCount()));
  }
  LibUSB::usb_bus* usb_get_busses() override {
    events_.push_back("usb_get_busses");
    return busses.Head();
  }
  LibUSB::usb_dev_handle* usb_open(LibUSB::usb_device* device) override {
    events_.push_back("usb_open " + busses.Position(device));
    return opens.Next() != 0 ? Handle() : nullptr;
  }
  int usb_set_configuration(LibUSB::usb_dev_handle* handle, int configuration) override {
    return Log("usb_set_configuration " + Name(handle) + " " + std::to_string(configuration),
               setConfiguration.Next());
  }
  int usb_claim_interface(LibUSB::usb_dev_handle* handle, int interfaceNumber) override {
    return Log("usb_claim_interface " + Name(handle) + " " + std::to_string(interfaceNumber),
               claimInterface.Next());
  }
  int usb_set_altinterface(LibUSB::usb_dev_handle* handle, int alternate) override {
    return Log("usb_set_altinterface " + Name(handle) + " " + std::to_string(alternate),
               setAltInterface.Next());
  }
  int usb_release_interface(LibUSB::usb_dev_handle* handle, int interfaceNumber) override {
    return Log("usb_release_interface " + Name(handle) + " " + std::to_string(interfaceNumber), 0);
  }
  int usb_bulk_write(LibUSB::usb_dev_handle* handle, int endpoint, const char* bytes, int size,
                     int timeoutMs) override {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes);
    return Log("usb_bulk_write " + Name(handle) + " " + Transfer(endpoint, size, timeoutMs) + " " +
                   OctetsEnHexa({data, static_cast<std::size_t>(size)}),
               replies.Write(size));
  }
  int usb_bulk_read(LibUSB::usb_dev_handle* handle, int endpoint, char* bytes, int size,
                    int timeoutMs) override {
    // Whether the buffer was zero before the read: it must be fresh at every press.
    const bool zeroed = std::all_of(bytes, bytes + size, [](char b) { return b == 0; });
    return Log("usb_bulk_read " + Name(handle) + " " + Transfer(endpoint, size, timeoutMs) +
                   (zeroed ? " zeroed" : " dirty"),
               replies.NextRead().Deliver(bytes, size));
  }
  int usb_close(LibUSB::usb_dev_handle* handle) override {
    return Log("usb_close " + Name(handle), 0);
  }

  // The handle every successful open returns.
  LibUSB::usb_dev_handle* Handle() { return reinterpret_cast<LibUSB::usb_dev_handle*>(&handle_); }

 private:
  int Log(const std::string& call, int result) {
    events_.push_back(call + " -> " + std::to_string(result));
    return result;
  }
  std::string Name(LibUSB::usb_dev_handle* handle) {
    return handle == Handle() ? "handle" : handle == nullptr ? "null" : "stray";
  }
  static std::string Transfer(int endpoint, int size, int timeoutMs) {
    const auto ep = static_cast<std::uint8_t>(endpoint);
    return "0x" + OctetsEnHexa({&ep, 1}) + " " + std::to_string(size) + " " +
           std::to_string(timeoutMs);
  }

  Events& events_;
  char handle_ = 0;
};

}  // namespace talvorne::testing
