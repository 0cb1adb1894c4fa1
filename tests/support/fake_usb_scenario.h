// Writes scenarios for the fakes of libusb-0.1 (the fake libusb0.dll and the stand-in Linux
// libusb) and reads back their log. The formats are described in fake_usb_instrument.h.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "device/octets_en_hexa.h"
#include "device/oscilloscope_profile.h"
#include "tests/support/fake_usb_files.h"
#include "tests/support/simulated_usb.h"

namespace talvorne::testing {

class FakeUsbScenario {
 public:
  // A new bus after the others; a scenario without any gives a null bus list.
  FakeUsbScenario& Bus() { return Line("bus"); }
  // A device on the last bus, after its others.
  FakeUsbScenario& Device(std::uint16_t vendor, std::uint16_t product) {
    return Line("device " + Hex16(vendor) + " " + Hex16(product));
  }

  // Results of successive calls; the last one repeats. Without them the scans count as
  // libusb-0.1's do: the whole list at the first, nothing changed at later ones.
  FakeUsbScenario& FindBusses(std::initializer_list<int> results) {
    return Results("find_busses", results);
  }
  FakeUsbScenario& FindDevices(std::initializer_list<int> results) {
    return Results("find_devices", results);
  }
  FakeUsbScenario& Opens(std::initializer_list<bool> succeeds) {
    std::string line = "open";
    for (bool ok : succeeds) line += ok ? " ok" : " fail";
    return Line(line);
  }
  FakeUsbScenario& SetConfiguration(std::initializer_list<int> results) {
    return Results("set_configuration", results);
  }
  FakeUsbScenario& ClaimInterface(std::initializer_list<int> results) {
    return Results("claim_interface", results);
  }
  FakeUsbScenario& SetAltInterface(std::initializer_list<int> results) {
    return Results("set_altinterface", results);
  }
  FakeUsbScenario& ReleaseInterface(std::initializer_list<int> results) {
    return Results("release_interface", results);
  }
  FakeUsbScenario& Close(std::initializer_list<int> results) { return Results("close", results); }
  // Linux's usb_detach_kernel_driver_np.
  FakeUsbScenario& DetachKernelDriver(std::initializer_list<int> results) {
    return Results("detach_kernel_driver", results);
  }

  // The answers to the next start command; the last one given answers all later ones.
  FakeUsbScenario& Acquisition(const Reply& reply) {
    Line("acquisition");
    if (reply.writeResult) Line("write " + std::to_string(*reply.writeResult));
    if (!reply.header.bytes.empty()) {
      std::string line = "header";
      for (std::uint8_t byte : reply.header.bytes)
        line.append(" ").append(OctetsEnHexa({&byte, 1}));
      Line(line);
    }
    Read("header", reply.header);
    if (!reply.record.bytes.empty()) {
      records_.push_back(reply.record.bytes);
      const std::string file = "record" + std::to_string(records_.size()) + ".bin";
      std::string line = "record " + file;
      if (reply.record.delivered) line.append(" ").append(std::to_string(*reply.record.delivered));
      Line(line);
    }
    return Read("record", reply.record);
  }

  const std::string& Text() const { return text_; }

  // The scenario file and its record files, beside the fake DLL in folder.
  void WriteTo(const std::filesystem::path& folder) const {
    std::ofstream(folder / kFakeUsbScenarioFile) << text_;
    for (std::size_t i = 0; i < records_.size(); ++i) {
      std::ofstream file(folder / ("record" + std::to_string(i + 1) + ".bin"), std::ios::binary);
      file.write(reinterpret_cast<const char*>(records_[i].data()),
                 static_cast<std::streamsize>(records_[i].size()));
    }
  }

 private:
  FakeUsbScenario& Line(const std::string& line) {
    text_ += line + "\n";
    return *this;
  }
  FakeUsbScenario& Results(const std::string& keyword, std::initializer_list<int> results) {
    std::string line = keyword;
    // append, not " " + ...: GCC 12 warns wrongly about the temporary (bug 105651)
    for (int result : results) line.append(" ").append(std::to_string(result));
    return Line(line);
  }
  FakeUsbScenario& Read(const std::string& name, const ReadAnswer& answer) {
    if (answer.result) Line(name + "_result " + std::to_string(*answer.result));
    if (answer.delayMs != 0) Line(name + "_delay " + std::to_string(answer.delayMs));
    return *this;
  }
  static std::string Hex16(std::uint16_t value) {
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(value >> 8),
                                  static_cast<std::uint8_t>(value & 0xFF)};
    return OctetsEnHexa(bytes);
  }

  std::string text_;
  std::vector<std::vector<std::uint8_t>> records_;
};

// One oscilloscope on one bus, answering every start command with this record behind a header
// that announces its length (the header's other bytes left at zero, as the instrument leaves them).
inline FakeUsbScenario OscilloscopeHolding(const std::vector<std::uint8_t>& record) {
  std::vector<std::uint8_t> header(static_cast<std::size_t>(kOriginalOscilloscope.replyHeaderSize),
                                   0);
  for (std::size_t i = 0; i < 3; ++i)
    header[i] = static_cast<std::uint8_t>(record.size() >> (8 * i));
  FakeUsbScenario scenario;
  scenario.Bus().Device(kOriginalOscilloscope.vendorId, kOriginalOscilloscope.productId);
  scenario.Acquisition(Reply().Header(std::move(header)).Record(record));
  return scenario;
}

// The fake's log lines so far, in order.
inline std::vector<std::string> ReadFakeUsbLog(const std::filesystem::path& folder) {
  std::ifstream log(folder / kFakeUsbLogFile);
  std::vector<std::string> lines;
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  return lines;
}

// The log's lines for the calls of that name, in order.
inline std::vector<std::string> Calls(const std::vector<std::string>& log,
                                      const std::string& name) {
  std::vector<std::string> calls;
  for (const std::string& line : log) {
    if (line.rfind(name, 0) == 0) calls.push_back(line);
  }
  return calls;
}

}  // namespace talvorne::testing
