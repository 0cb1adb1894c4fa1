// An in-memory libusb-0.1 with its busses, devices and scripted answers. Library calls and the
// Connexion view's reports go into one event list, so tests see their true order.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "device/connexion.h"
#include "device/octets_en_hexa.h"
#include "device/usb_library.h"

namespace talvorne::testing {

using Events = std::vector<std::string>;

// The nth call gets the nth answer; the last one repeats.
class Answers {
 public:
  Answers(std::initializer_list<int> values) : values_(values) {}
  int Next() { return values_[std::min(calls_++, values_.size() - 1)]; }

 private:
  std::vector<int> values_;
  std::size_t calls_ = 0;
};

// What the instrument answers to one start command. Each read delivers the first bytes given (at
// most the size asked) and returns its result, by default the number of bytes delivered.
struct Reply {
  int writeResult = 10;
  std::vector<std::uint8_t> header;
  std::optional<int> headerResult;
  std::vector<std::uint8_t> record;
  std::optional<int> recordResult;

  Reply& Write(int result) {
    writeResult = result;
    return *this;
  }
  Reply& Header(std::vector<std::uint8_t> bytes, std::optional<int> result = {}) {
    header = std::move(bytes);
    headerResult = result;
    return *this;
  }
  Reply& Record(std::vector<std::uint8_t> bytes, std::optional<int> result = {}) {
    record = std::move(bytes);
    recordResult = result;
    return *this;
  }
};

struct DeviceIds {
  std::uint16_t vendor;
  std::uint16_t product;
};

class InMemoryUsbLibrary final : public UsbLibrary {
 public:
  explicit InMemoryUsbLibrary(Events& events) : events_(events) {}

  // Busses in list order, each with its devices in list order; none gives a null bus list.
  void AddBus(const std::vector<DeviceIds>& devices) {
    LibUSB::usb_bus& bus = busses_.emplace_back();
    if (busses_.size() > 1) busses_[busses_.size() - 2].next = &bus;
    LibUSB::usb_device* previous = nullptr;
    for (const DeviceIds& ids : devices) {
      LibUSB::usb_device& device = devices_.emplace_back();
      device.descriptor.idVendor = ids.vendor;
      device.descriptor.idProduct = ids.product;
      device.bus = &bus;
      (previous != nullptr ? previous->next : bus.devices) = &device;
      previous = &device;
    }
  }

  Answers findBusses{1};
  Answers findDevices{1};
  Answers opens{1};  // 0: usb_open fails
  Answers setConfiguration{0};
  Answers claimInterface{0};
  Answers setAltInterface{0};
  std::vector<Reply> replies{Reply{}};  // one per start command; the last repeats

  void usb_init() override { events_.push_back("usb_init"); }
  int usb_find_busses() override { return Log("usb_find_busses", findBusses.Next()); }
  int usb_find_devices() override { return Log("usb_find_devices", findDevices.Next()); }
  LibUSB::usb_bus* usb_get_busses() override {
    events_.push_back("usb_get_busses");
    return busses_.empty() ? nullptr : &busses_.front();
  }
  LibUSB::usb_dev_handle* usb_open(LibUSB::usb_device* device) override {
    events_.push_back("usb_open " + Position(device));
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
    reply_ = replies[std::min(writes_++, replies.size() - 1)];
    readsSinceWrite_ = 0;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes);
    return Log("usb_bulk_write " + Name(handle) + " " + Transfer(endpoint, size, timeoutMs) + " " +
                   OctetsEnHexa({data, static_cast<std::size_t>(size)}),
               reply_.writeResult);
  }
  int usb_bulk_read(LibUSB::usb_dev_handle* handle, int endpoint, char* bytes, int size,
                    int timeoutMs) override {
    const bool isHeader = readsSinceWrite_++ == 0;
    const std::vector<std::uint8_t>& given = isHeader ? reply_.header : reply_.record;
    const std::optional<int>& result = isHeader ? reply_.headerResult : reply_.recordResult;
    auto* buffer = reinterpret_cast<std::uint8_t*>(bytes);
    const std::size_t capacity = static_cast<std::size_t>(size);
    // Whether the buffer was zero before the read: it must be fresh at every press.
    const bool zeroed = std::all_of(buffer, buffer + capacity, [](auto b) { return b == 0; });
    const std::size_t delivered = std::min(given.size(), capacity);
    std::copy_n(given.begin(), delivered, buffer);
    return Log("usb_bulk_read " + Name(handle) + " " + Transfer(endpoint, size, timeoutMs) +
                   (zeroed ? " zeroed" : " dirty"),
               result.value_or(static_cast<int>(delivered)));
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
  // "bus.device", both counted from 1 in list order.
  std::string Position(const LibUSB::usb_device* device) const {
    int busNumber = 1;
    for (const LibUSB::usb_bus* bus = &busses_.front(); bus != nullptr; bus = bus->next) {
      int deviceNumber = 1;
      for (const LibUSB::usb_device* d = bus->devices; d != nullptr; d = d->next) {
        if (d == device) return std::to_string(busNumber) + "." + std::to_string(deviceNumber);
        ++deviceNumber;
      }
      ++busNumber;
    }
    return "unknown";
  }
  static std::string Transfer(int endpoint, int size, int timeoutMs) {
    const auto ep = static_cast<std::uint8_t>(endpoint);
    return "0x" + OctetsEnHexa({&ep, 1}) + " " + std::to_string(size) + " " +
           std::to_string(timeoutMs);
  }

  Events& events_;
  std::deque<LibUSB::usb_bus> busses_;  // a deque keeps the records where the links point
  std::deque<LibUSB::usb_device> devices_;
  char handle_ = 0;
  Reply reply_;
  std::size_t writes_ = 0;
  std::size_t readsSinceWrite_ = 0;
};

class RecordingView final : public ConnexionView {
 public:
  explicit RecordingView(Events& events) : events_(events) {}
  void ShowMessage(std::string_view text) override {
    events_.push_back("message " + std::string(text));
  }
  void SetLabel(int label, std::string_view text) override {
    events_.push_back("Label" + std::to_string(label) + " " + std::string(text));
  }

 private:
  Events& events_;
};

}  // namespace talvorne::testing
