// The instrument behind both fakes of libusb-0.1: the fake libusb0.dll that stands for
// libusb-win32, and the stand-in libusb-0.1.so.4 that stands for Linux's library under the
// libusb0.dll of linux/. It answers every call from a scenario and logs it. Both files lie in the
// fake's folder: the scenario fake_usb_scenario.txt is read when the instrument is made; the log
// fake_usb_log.txt is started afresh then and flushed line by line, so a test can read it while
// the program runs. Bus and Device are the library's records, Handle its opaque handle type.
//
// Scenario: one "keyword values" per line, "#" starts a comment, numbers are decimal except the
// hex ids and header bytes. A list of results answers successive calls, its last one repeating.
//   bus                      a new bus after the others; without any, usb_get_busses gives null
//   device VVVV PPPP         a device on the last bus after its others: idVendor idProduct (hex)
//   find_busses N...         usb_find_busses results (default: the busses listed at the first
//                            call, 0 at later ones, as libusb-0.1 counts what changed since)
//   find_devices N...        usb_find_devices results (default: likewise the devices listed)
//   open ok|fail...          usb_open outcomes; a failed open returns null (default ok)
//   set_configuration N...   likewise claim_interface, set_altinterface, release_interface,
//                            close and detach_kernel_driver (Linux's only) (default 0)
//   acquisition              starts the answers to the next start command; lines before the
//                            first one belong to the first; the last answers all later commands
//   write N                  usb_bulk_write result (default: the size written)
//   header XX XX...          bytes the header read delivers, at most the size asked (hex)
//   header_result N          its result (default: the number of bytes delivered)
//   header_delay MS          the header read returns only after MS milliseconds
//   record FILE [COUNT]      the record read delivers FILE's bytes (FILE beside the scenario),
//                            only the first COUNT of them when given, at most the size asked
//   record_result N          its result (default: the number of bytes delivered)
//   record_delay MS
// After a write, the first read answers the header and the second the record; any other read
// delivers nothing and returns -110. Unknown lines are logged as "# ignored: LINE".
//
// Log: one line per call, "name arguments -> result", e.g.
//   usb_get_busses -> busses            (or -> null)
//   usb_open device=2.1 -> handle1      (bus.device counted from 1; -> null when it fails)
//   usb_set_configuration handle1 configuration=1 -> 0
//   usb_claim_interface handle1 interface=0 -> 0
//   usb_detach_kernel_driver_np handle1 interface=0 -> 0
//   usb_set_altinterface handle1 alternate=-1 -> -22
//   usb_release_interface handle1 interface=-1 -> 0
//   usb_bulk_write handle1 endpoint=0x03 size=10 timeout=2000 bytes=53005400410052005400 -> 10
//   usb_bulk_read handle1 endpoint=0x81 size=12 timeout=2000 buffer=zeroed -> 12
//   usb_close handle1 -> 0
// Handles are numbered by successful opens; "null" is a null handle, "stray" an unknown one.
// buffer= tells whether the read's buffer was all zero (zeroed) or not (dirty) when it came.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "device/octets_en_hexa.h"
#include "tests/support/fake_usb_files.h"
#include "tests/support/simulated_usb.h"

namespace talvorne::testing {

template <typename Bus, typename Device, typename Handle>
class FakeUsbInstrument {
 public:
  explicit FakeUsbInstrument(const std::filesystem::path& folder) : folder_(folder) {
    log_.open(folder_ / kFakeUsbLogFile, std::ios::trunc);
    std::ifstream scenario(folder_ / kFakeUsbScenarioFile);
    if (!scenario) Log("# no scenario");
    std::vector<Reply> perCommand(1);
    bool firstAcquisitionSeen = false;  // lines before it already belong to the first reply
    for (std::string line; std::getline(scenario, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::istringstream values(line.substr(0, line.find('#')));
      std::string keyword;
      if (!(values >> keyword)) continue;
      if (keyword == "acquisition") {
        if (firstAcquisitionSeen) perCommand.emplace_back();
        firstAcquisitionSeen = true;
      } else if (!ReadSetting(keyword, values) && !ReadReply(keyword, values, perCommand.back())) {
        Log("# ignored: " + line);
      }
    }
    replies_ = ReplyScript(std::move(perCommand));
  }

  // The library's calls, answered and logged.
  void Init() { Log("usb_init"); }
  int FindBusses() { return Log("usb_find_busses", findBusses_.Next(busses_.BusCount())); }
  int FindDevices() { return Log("usb_find_devices", findDevices_.Next(busses_.DeviceCount())); }
  Bus* GetBusses() {
    Bus* head = busses_.Head();
    Log(std::string("usb_get_busses -> ") + (head != nullptr ? "busses" : "null"));
    return head;
  }
  Handle* Open(Device* device) {
    Handle* handle = nullptr;
    if (opens_.Next() != 0) {
      handles_.emplace_back();
      handle = HandleAt(handles_.size() - 1);
    }
    Log("usb_open device=" + busses_.Position(device) + " -> " + Name(handle));
    return handle;
  }
  int SetConfiguration(Handle* handle, int configuration) {
    return Log(Call("usb_set_configuration", handle, "configuration", configuration),
               setConfiguration_.Next());
  }
  int ClaimInterface(Handle* handle, int interfaceNumber) {
    return Log(Call("usb_claim_interface", handle, "interface", interfaceNumber),
               claimInterface_.Next());
  }
  int DetachKernelDriver(Handle* handle, int interfaceNumber) {
    return Log(Call("usb_detach_kernel_driver_np", handle, "interface", interfaceNumber),
               detachKernelDriver_.Next());
  }
  int SetAltInterface(Handle* handle, int alternate) {
    return Log(Call("usb_set_altinterface", handle, "alternate", alternate),
               setAltInterface_.Next());
  }
  int ReleaseInterface(Handle* handle, int interfaceNumber) {
    return Log(Call("usb_release_interface", handle, "interface", interfaceNumber),
               releaseInterface_.Next());
  }
  int BulkWrite(Handle* handle, int endpoint, const char* bytes, int size, int timeoutMs) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes);
    return Log("usb_bulk_write " + Name(handle) + " " + Transfer(endpoint, size, timeoutMs) +
                   " bytes=" + OctetsEnHexa({data, static_cast<std::size_t>(std::max(size, 0))}),
               replies_.Write(size));
  }
  int BulkRead(Handle* handle, int endpoint, char* bytes, int size, int timeoutMs) {
    const bool zeroed =
        std::all_of(bytes, bytes + std::max(size, 0), [](char b) { return b == 0; });
    const ReadAnswer& answer = replies_.NextRead();
    std::this_thread::sleep_for(std::chrono::milliseconds(answer.delayMs));
    return Log("usb_bulk_read " + Name(handle) + " " + Transfer(endpoint, size, timeoutMs) +
                   (zeroed ? " buffer=zeroed" : " buffer=dirty"),
               answer.Deliver(bytes, size));
  }
  int Close(Handle* handle) { return Log("usb_close " + Name(handle), close_.Next()); }

 private:
  void Log(const std::string& line) { log_ << line << std::endl; }  // flushed for live readers
  int Log(const std::string& call, int result) {
    Log(call + " -> " + std::to_string(result));
    return result;
  }

  std::string Name(Handle* handle) const {
    if (handle == nullptr) return "null";
    for (std::size_t i = 0; i < handles_.size(); ++i) {
      if (handle == HandleAt(i)) return "handle" + std::to_string(i + 1);
    }
    return "stray";
  }
  std::string Call(const char* name, Handle* handle, const char* argument, int value) const {
    return std::string(name) + " " + Name(handle) + " " + argument + "=" + std::to_string(value);
  }
  static std::string Transfer(int endpoint, int size, int timeoutMs) {
    const auto address = static_cast<std::uint8_t>(endpoint);
    return "endpoint=0x" + OctetsEnHexa({&address, 1}) + " size=" + std::to_string(size) +
           " timeout=" + std::to_string(timeoutMs);
  }

  // The bus list and the library's scripted results.
  bool ReadSetting(const std::string& keyword, std::istream& values) {
    if (keyword == "bus") {
      busses_.AddBus();
    } else if (keyword == "device") {
      unsigned vendor = 0, product = 0;
      values >> std::hex >> vendor >> product;
      busses_.AddDevice({static_cast<std::uint16_t>(vendor), static_cast<std::uint16_t>(product)});
    } else if (keyword == "open") {
      std::vector<int> outcomes;
      for (std::string word; values >> word;) outcomes.push_back(word == "ok" ? 1 : 0);
      opens_ = Answers(outcomes);
    } else if (keyword == "find_busses" || keyword == "find_devices") {
      (keyword == "find_busses" ? findBusses_ : findDevices_) = ScanCounts(Numbers(values));
    } else if (Answers* answers = ResultsOf(keyword)) {
      *answers = Answers(Numbers(values));
    } else {
      return false;
    }
    return true;
  }

  static std::vector<int> Numbers(std::istream& values) {
    return std::vector<int>(std::istream_iterator<int>(values), {});
  }

  Answers* ResultsOf(const std::string& keyword) {
    if (keyword == "set_configuration") return &setConfiguration_;
    if (keyword == "claim_interface") return &claimInterface_;
    if (keyword == "detach_kernel_driver") return &detachKernelDriver_;
    if (keyword == "set_altinterface") return &setAltInterface_;
    if (keyword == "release_interface") return &releaseInterface_;
    if (keyword == "close") return &close_;
    return nullptr;
  }

  // One start command's answers.
  bool ReadReply(const std::string& keyword, std::istream& values, Reply& reply) {
    if (keyword == "write") {
      values >> reply.writeResult.emplace();
    } else if (keyword == "header") {
      for (unsigned byte = 0; values >> std::hex >> byte;) {
        reply.header.bytes.push_back(static_cast<std::uint8_t>(byte));
      }
    } else if (keyword == "header_result") {
      values >> reply.header.result.emplace();
    } else if (keyword == "header_delay") {
      values >> reply.header.delayMs;
    } else if (keyword == "record") {
      std::string file;
      values >> file;
      std::ifstream bytes(folder_ / file, std::ios::binary);
      if (!bytes) Log("# missing record file: " + file);
      reply.record.bytes.assign(std::istreambuf_iterator<char>(bytes), {});
      if (std::size_t count = 0; values >> count) reply.record.delivered = count;
    } else if (keyword == "record_result") {
      values >> reply.record.result.emplace();
    } else if (keyword == "record_delay") {
      values >> reply.record.delayMs;
    } else {
      return false;
    }
    return true;
  }

  Handle* HandleAt(std::size_t i) const {
    return reinterpret_cast<Handle*>(const_cast<char*>(&handles_[i]));
  }

  std::filesystem::path folder_;
  std::ofstream log_;
  BasicBusList<Bus, Device> busses_;
  ScanCounts findBusses_, findDevices_;
  Answers opens_{1};
  Answers setConfiguration_{0}, claimInterface_{0}, detachKernelDriver_{0}, setAltInterface_{0};
  Answers releaseInterface_{0}, close_{0};
  ReplyScript replies_;
  std::deque<char> handles_;  // one per successful open; its address is the handle
};

}  // namespace talvorne::testing
