// The instrument as both test doubles of libusb-0.1 see it: the native in-memory library and the
// fake libusb0.dll. Busses and devices as the library's own records, scripted results, and the
// answers to each start command.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "device/libusb.h"

namespace talvorne::testing {

// The nth call gets the nth result; the last one repeats.
class Answers {
 public:
  Answers(std::initializer_list<int> values) : values_(values) {}
  explicit Answers(std::vector<int> values) : values_(std::move(values)) {}
  int Next() { return values_.empty() ? 0 : values_[std::min(calls_++, values_.size() - 1)]; }

 private:
  std::vector<int> values_;
  std::size_t calls_ = 0;
};

// What usb_find_busses or usb_find_devices answers. libusb-0.1 counts the busses or devices that
// changed since its previous scan: the first scan counts the whole list, and later ones 0, since a
// simulated list stays as it is; unless the test scripts the counts (Answers), as for a cable
// pulled and plugged back in between two scans: 2 devices changed, the one gone and the one new.
class ScanCounts {
 public:
  ScanCounts() = default;
  ScanCounts(std::initializer_list<int> scripted) : scripted_(Answers(scripted)) {}
  explicit ScanCounts(std::vector<int> scripted) : scripted_(Answers(std::move(scripted))) {}
  int Next(std::size_t listed) {
    if (scripted_) return scripted_->Next();
    return scans_++ == 0 ? static_cast<int>(listed) : 0;
  }

 private:
  std::optional<Answers> scripted_;
  std::size_t scans_ = 0;
};

struct DeviceIds {
  std::uint16_t vendor;
  std::uint16_t product;
};

// The bus list that usb_get_busses hands out; null while it has no bus. Bus and Device are the
// library's records: libusb-win32's packed ones, or Linux's for the stand-in Linux libusb. Like
// Linux's, busses and devices are named and numbered from 1 ("001"), and each bus's first device
// is its root hub, with the bus's later devices as its children.
template <typename Bus, typename Device>
class BasicBusList {
 public:
  BasicBusList() = default;
  BasicBusList(const BasicBusList&) = delete;  // the records point at each other
  BasicBusList& operator=(const BasicBusList&) = delete;

  void AddBus() {
    Bus& bus = busses_.emplace_back();
    Name(bus.dirname, busses_.size());
    bus.location = static_cast<std::uint32_t>(busses_.size());
    if (busses_.size() > 1) {
      Bus& previous = busses_[busses_.size() - 2];
      previous.next = &bus;
      bus.prev = &previous;
    }
    rootChildren_.emplace_back();
    lastDevice_ = nullptr;
  }
  // On the last bus, after its other devices.
  void AddDevice(DeviceIds ids) {
    if (busses_.empty()) AddBus();
    Bus& bus = busses_.back();
    Device& device = devices_.emplace_back();
    device.descriptor.idVendor = ids.vendor;
    device.descriptor.idProduct = ids.product;
    device.bus = &bus;
    device.prev = lastDevice_;
    (lastDevice_ != nullptr ? lastDevice_->next : bus.devices) = &device;
    lastDevice_ = &device;
    if (bus.root_dev == nullptr) {
      bus.root_dev = &device;
    } else {
      std::vector<Device*>& children = rootChildren_.back();
      children.push_back(&device);
      bus.root_dev->children = children.data();
      bus.root_dev->num_children = static_cast<std::uint8_t>(children.size());
    }
    std::size_t number = 0;
    for (const Device* d = bus.devices; d != nullptr; d = d->next) ++number;
    Name(device.filename, number);
    device.devnum = static_cast<std::uint8_t>(number);
  }
  Bus* Head() { return busses_.empty() ? nullptr : &busses_.front(); }
  std::size_t BusCount() const { return busses_.size(); }
  std::size_t DeviceCount() const { return devices_.size(); }

  // "bus.device", both counted from 1 in list order, or "unknown".
  std::string Position(const Device* device) const {
    int busNumber = 1;
    for (const Bus& bus : busses_) {
      int deviceNumber = 1;
      for (const Device* d = bus.devices; d != nullptr; d = d->next, ++deviceNumber) {
        if (d == device) return std::to_string(busNumber) + "." + std::to_string(deviceNumber);
      }
      ++busNumber;
    }
    return "unknown";
  }

 private:
  template <std::size_t size>
  static void Name(char (&name)[size], std::size_t number) {
    std::snprintf(name, size, "%03zu", number);
  }

  std::deque<Bus> busses_;  // a deque keeps records where the links point
  std::deque<Device> devices_;
  std::deque<std::vector<Device*>> rootChildren_;  // one per bus
  Device* lastDevice_ = nullptr;
};

using BusList = BasicBusList<LibUSB::usb_bus, LibUSB::usb_device>;

// What one read hands back: the bytes it delivers (at most the size asked) and its result, by
// default the number of bytes delivered.
struct ReadAnswer {
  std::vector<std::uint8_t> bytes;
  std::optional<int> result;
  std::optional<std::size_t> delivered;  // only the first bytes; by default all of them
  int delayMs = 0;                       // the fake DLL waits this long before answering

  int Deliver(char* buffer, int size) const {
    const std::size_t count = std::min({bytes.size(), delivered.value_or(bytes.size()),
                                        static_cast<std::size_t>(std::max(size, 0))});
    std::copy_n(bytes.begin(), count, reinterpret_cast<std::uint8_t*>(buffer));
    return result.value_or(static_cast<int>(count));
  }
};

// What the instrument answers to one start command.
struct Reply {
  std::optional<int> writeResult;  // by default the size written
  ReadAnswer header;
  ReadAnswer record;

  Reply& Write(int result) {
    writeResult = result;
    return *this;
  }
  Reply& Header(std::vector<std::uint8_t> bytes, std::optional<int> result = {}) {
    header.bytes = std::move(bytes);
    header.result = result;
    return *this;
  }
  Reply& Record(std::vector<std::uint8_t> bytes, std::optional<int> result = {}) {
    record.bytes = std::move(bytes);
    record.result = result;
    return *this;
  }
  Reply& RecordDelivered(std::size_t count) {
    record.delivered = count;
    return *this;
  }
  Reply& HeaderDelay(int ms) {
    header.delayMs = ms;
    return *this;
  }
  Reply& RecordDelay(int ms) {
    record.delayMs = ms;
    return *this;
  }
};

// Each start command takes the next reply (the last repeats); the first read after it gets the
// header, the second the record. Any other read gets nothing and kUnexpectedReadResult.
class ReplyScript {
 public:
  static constexpr int kUnexpectedReadResult = -110;

  explicit ReplyScript(std::vector<Reply> replies = {}) : replies_(std::move(replies)) {
    if (replies_.empty()) replies_.emplace_back();
  }

  int Write(int size) {
    current_ = &replies_[std::min(writes_++, replies_.size() - 1)];
    readsSinceWrite_ = 0;
    return current_->writeResult.value_or(size);
  }
  const ReadAnswer& NextRead() {
    static const ReadAnswer unexpected{{}, kUnexpectedReadResult, {}, 0};
    const std::size_t read = readsSinceWrite_++;
    if (current_ == nullptr || read > 1) return unexpected;
    return read == 0 ? current_->header : current_->record;
  }

 private:
  std::vector<Reply> replies_;
  const Reply* current_ = nullptr;
  std::size_t writes_ = 0;
  std::size_t readsSinceWrite_ = 0;
};

}  // namespace talvorne::testing
