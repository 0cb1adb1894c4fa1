#include "device/acquisition_exchange.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "device/device_texts.h"
#include "device/octets_en_hexa.h"
#include "device/oscilloscope_protocol.h"

namespace talvorne {
namespace {

using ReplyHeader = std::array<std::uint8_t, oscilloscope::kReplyHeaderSize>;

// L, unsigned 24-bit little-endian in bytes 0 to 2.
std::size_t RecordLength(const ReplyHeader& header) {
  return header[0] + (std::size_t{header[1]} << 8) + (std::size_t{header[2]} << 16);
}

std::string Count(std::string_view prefix, int result, std::size_t expected) {
  return std::string(prefix) + std::to_string(result) + "/" + std::to_string(expected);
}

// A negative result counts as short.
bool Complete(int result, std::size_t expected) {
  return result >= 0 && static_cast<std::size_t>(result) >= expected;
}

char* AsChars(std::uint8_t* bytes) {
  return reinterpret_cast<char*>(bytes);
}

}  // namespace

std::optional<AcquisitionExchange> RunAcquisitionExchange(UsbLibrary& library,
                                                          LibUSB::usb_dev_handle* handle) {
  if (handle == nullptr) return std::nullopt;
  AcquisitionExchange exchange;

  exchange.written = library.usb_bulk_write(
      handle, oscilloscope::kCommandEndpoint, oscilloscope::kStartCommand.data(),
      oscilloscope::kStartCommandSize, oscilloscope::kCommandTimeoutMs);
  exchange.label5 =
      Count(device_texts::kWritePrefix, exchange.written, oscilloscope::kStartCommand.size());
  exchange.label2 = Complete(exchange.written, oscilloscope::kStartCommand.size())
                        ? device_texts::kSent
                        : device_texts::kSendError;

  // Zeroed first, so a header that never arrives announces an empty record.
  ReplyHeader header{};
  exchange.headerRead =
      library.usb_bulk_read(handle, oscilloscope::kReplyEndpoint, AsChars(header.data()),
                            oscilloscope::kReplyHeaderSize, oscilloscope::kHeaderTimeoutMs);
  exchange.label1 = device_texts::kHeaderRequested;
  exchange.label4 = Count(device_texts::kReadPrefix, exchange.headerRead, header.size());
  exchange.label3 = Complete(exchange.headerRead, header.size()) ? device_texts::kHeaderReceived
                                                                 : device_texts::kHeaderError;
  exchange.headerHex = OctetsEnHexa(header);

  // One read for the whole record; a short one is not completed.
  const std::size_t length = RecordLength(header);
  exchange.record.assign(length, 0);
  exchange.recordRead =
      library.usb_bulk_read(handle, oscilloscope::kReplyEndpoint, AsChars(exchange.record.data()),
                            static_cast<int>(length), oscilloscope::kRecordTimeoutMs);
  exchange.label7 = Count(device_texts::kReadDataPrefix, exchange.recordRead, length);
  exchange.label6 = Complete(exchange.recordRead, length) ? device_texts::kRecordReceived
                                                          : device_texts::kRecordError;
  return exchange;
}

}  // namespace talvorne
