// The fake oscilloscope: a libusb0.dll exporting the twelve libusb-0.1 functions the program
// calls, answering from a scenario and logging every call. Both files lie beside the DLL: the
// scenario fake_usb_scenario.txt is read at the first call; the log fake_usb_log.txt is started
// afresh then and flushed line by line, so a test can read it while the program runs.
//
// Scenario: one "keyword values" per line, "#" starts a comment, numbers are decimal except the
// hex ids and header bytes. A list of results answers successive calls, its last one repeating.
//   bus                      a new bus after the others; without any, usb_get_busses gives null
//   device VVVV PPPP         a device on the last bus after its others: idVendor idProduct (hex)
//   find_busses N...         usb_find_busses results (default 1)
//   find_devices N...        usb_find_devices results (default 1)
//   open ok|fail...          usb_open outcomes; a failed open returns null (default ok)
//   set_configuration N...   likewise claim_interface, set_altinterface, release_interface,
//                            close (default 0)
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
//   usb_set_altinterface handle1 alternate=-1 -> -22
//   usb_release_interface handle1 interface=-1 -> 0
//   usb_bulk_write handle1 endpoint=0x03 size=10 timeout=2000 bytes=53005400410052005400 -> 10
//   usb_bulk_read handle1 endpoint=0x81 size=12 timeout=2000 buffer=zeroed -> 12
//   usb_close handle1 -> 0
// Handles are numbered by successful opens; "null" is a null handle, "stray" an unknown one.
// buffer= tells whether the read's buffer was all zero (zeroed) or not (dirty) when it came.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "device/libusb.h"
#include "device/octets_en_hexa.h"
#include "tests/support/fake_usb_files.h"
#include "tests/support/simulated_usb.h"

namespace {

using talvorne::OctetsEnHexa;
using namespace talvorne::LibUSB;
using namespace talvorne::testing;

std::filesystem::path DllFolder() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&DllFolder), &module);
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size())));
  return std::filesystem::path(path).parent_path();
}

// The instrument behind the exports: its scenario, its open handles and the log.
class FakeInstrument {
 public:
  FakeInstrument() : folder_(DllFolder()) {
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
    replies = ReplyScript(std::move(perCommand));
  }

  void Log(const std::string& line) { log_ << line << std::endl; }  // flushed for live readers
  int Log(const std::string& call, int result) {
    Log(call + " -> " + std::to_string(result));
    return result;
  }

  std::string Name(usb_dev_handle* handle) const {
    if (handle == nullptr) return "null";
    for (std::size_t i = 0; i < handles_.size(); ++i) {
      if (handle == Handle(i)) return "handle" + std::to_string(i + 1);
    }
    return "stray";
  }

  usb_dev_handle* Open() {
    if (opens_.Next() == 0) return nullptr;
    handles_.emplace_back();
    return Handle(handles_.size() - 1);
  }

  BusList busses;
  Answers findBusses{1}, findDevices{1};
  Answers setConfiguration{0}, claimInterface{0}, setAltInterface{0};
  Answers releaseInterface{0}, close{0};
  ReplyScript replies;

 private:
  // The bus list and the library's scripted results.
  bool ReadSetting(const std::string& keyword, std::istream& values) {
    if (keyword == "bus") {
      busses.AddBus();
    } else if (keyword == "device") {
      unsigned vendor = 0, product = 0;
      values >> std::hex >> vendor >> product;
      busses.AddDevice({static_cast<std::uint16_t>(vendor), static_cast<std::uint16_t>(product)});
    } else if (keyword == "open") {
      std::vector<int> outcomes;
      for (std::string word; values >> word;) outcomes.push_back(word == "ok" ? 1 : 0);
      opens_ = Answers(outcomes);
    } else if (Answers* answers = ResultsOf(keyword)) {
      *answers = Answers(std::vector<int>(std::istream_iterator<int>(values), {}));
    } else {
      return false;
    }
    return true;
  }

  Answers* ResultsOf(const std::string& keyword) {
    if (keyword == "find_busses") return &findBusses;
    if (keyword == "find_devices") return &findDevices;
    if (keyword == "set_configuration") return &setConfiguration;
    if (keyword == "claim_interface") return &claimInterface;
    if (keyword == "set_altinterface") return &setAltInterface;
    if (keyword == "release_interface") return &releaseInterface;
    if (keyword == "close") return &close;
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

  usb_dev_handle* Handle(std::size_t i) const {
    return reinterpret_cast<usb_dev_handle*>(const_cast<char*>(&handles_[i]));
  }

  std::filesystem::path folder_;
  std::ofstream log_;
  Answers opens_{1};
  std::deque<char> handles_;  // one per successful open; its address is the handle
};

FakeInstrument& Instrument() {
  static FakeInstrument instrument;
  return instrument;
}

std::string Transfer(int endpoint, int size, int timeoutMs) {
  const auto address = static_cast<std::uint8_t>(endpoint);
  return "endpoint=0x" + OctetsEnHexa({&address, 1}) + " size=" + std::to_string(size) +
         " timeout=" + std::to_string(timeoutMs);
}

}  // namespace

// The exports, by their plain C names (see libusb0.def).
extern "C" {

void usb_init() {
  Instrument().Log("usb_init");
}

int usb_find_busses() {
  return Instrument().Log("usb_find_busses", Instrument().findBusses.Next());
}

int usb_find_devices() {
  return Instrument().Log("usb_find_devices", Instrument().findDevices.Next());
}

usb_bus* usb_get_busses() {
  usb_bus* head = Instrument().busses.Head();
  Instrument().Log(std::string("usb_get_busses -> ") + (head != nullptr ? "busses" : "null"));
  return head;
}

usb_dev_handle* usb_open(usb_device* device) {
  FakeInstrument& instrument = Instrument();
  usb_dev_handle* handle = instrument.Open();
  instrument.Log("usb_open device=" + instrument.busses.Position(device) + " -> " +
                 instrument.Name(handle));
  return handle;
}

int usb_set_configuration(usb_dev_handle* handle, int configuration) {
  FakeInstrument& instrument = Instrument();
  return instrument.Log("usb_set_configuration " + instrument.Name(handle) +
                            " configuration=" + std::to_string(configuration),
                        instrument.setConfiguration.Next());
}

int usb_claim_interface(usb_dev_handle* handle, int interfaceNumber) {
  FakeInstrument& instrument = Instrument();
  return instrument.Log("usb_claim_interface " + instrument.Name(handle) +
                            " interface=" + std::to_string(interfaceNumber),
                        instrument.claimInterface.Next());
}

int usb_set_altinterface(usb_dev_handle* handle, int alternate) {
  FakeInstrument& instrument = Instrument();
  return instrument.Log(
      "usb_set_altinterface " + instrument.Name(handle) + " alternate=" + std::to_string(alternate),
      instrument.setAltInterface.Next());
}

int usb_release_interface(usb_dev_handle* handle, int interfaceNumber) {
  FakeInstrument& instrument = Instrument();
  return instrument.Log("usb_release_interface " + instrument.Name(handle) +
                            " interface=" + std::to_string(interfaceNumber),
                        instrument.releaseInterface.Next());
}

int usb_bulk_write(usb_dev_handle* handle, int endpoint, const char* bytes, int size,
                   int timeoutMs) {
  FakeInstrument& instrument = Instrument();
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes);
  return instrument.Log(
      "usb_bulk_write " + instrument.Name(handle) + " " + Transfer(endpoint, size, timeoutMs) +
          " bytes=" + OctetsEnHexa({data, static_cast<std::size_t>(std::max(size, 0))}),
      instrument.replies.Write(size));
}

int usb_bulk_read(usb_dev_handle* handle, int endpoint, char* bytes, int size, int timeoutMs) {
  FakeInstrument& instrument = Instrument();
  const bool zeroed = std::all_of(bytes, bytes + std::max(size, 0), [](char b) { return b == 0; });
  const ReadAnswer& answer = instrument.replies.NextRead();
  Sleep(static_cast<DWORD>(answer.delayMs));
  return instrument.Log("usb_bulk_read " + instrument.Name(handle) + " " +
                            Transfer(endpoint, size, timeoutMs) +
                            (zeroed ? " buffer=zeroed" : " buffer=dirty"),
                        answer.Deliver(bytes, size));
}

int usb_close(usb_dev_handle* handle) {
  FakeInstrument& instrument = Instrument();
  return instrument.Log("usb_close " + instrument.Name(handle), instrument.close.Next());
}

}  // extern "C"
