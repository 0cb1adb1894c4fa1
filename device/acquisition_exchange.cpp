#include "device/acquisition_exchange.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "device/device_texts.h"
#include "device/octets_en_hexa.h"

namespace talvorne {
namespace {

// L, unsigned 24-bit little-endian in bytes 0 to 2.
std::size_t RecordLength(std::span<const std::uint8_t> header) {
  std::size_t length = 0;
  for (std::size_t i = 0; i < std::min<std::size_t>(header.size(), 3); ++i) {
    length |= std::size_t{header[i]} << (8 * i);
  }
  return length;
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
                                                          LibUSB::usb_dev_handle* handle,
                                                          const OscilloscopeProfile* profile) {
  if (handle == nullptr || profile == nullptr) return std::nullopt;
  AcquisitionExchange exchange;

  const std::span<const char> start = profile->startCommand;
  exchange.written =
      library.usb_bulk_write(handle, profile->commandEndpoint, start.data(),
                             static_cast<int>(start.size()), profile->commandTimeoutMs);
  exchange.writeCount = Count(device_texts::kWritePrefix, exchange.written, start.size());
  exchange.sendStatus =
      Complete(exchange.written, start.size()) ? device_texts::kSent : device_texts::kSendError;

  // Zeroed first, so a header that never arrives announces an empty record.
  std::vector<std::uint8_t>& header = exchange.header;
  header.assign(static_cast<std::size_t>(profile->replyHeaderSize), 0);
  exchange.headerRead =
      library.usb_bulk_read(handle, profile->replyEndpoint, AsChars(header.data()),
                            profile->replyHeaderSize, profile->headerTimeoutMs);
  exchange.headerRequest = device_texts::kHeaderRequested;
  exchange.headerCount = Count(device_texts::kReadPrefix, exchange.headerRead, header.size());
  exchange.headerStatus = Complete(exchange.headerRead, header.size())
                              ? device_texts::kHeaderReceived
                              : device_texts::kHeaderError;
  exchange.headerHex = OctetsEnHexa(header);

  // One read for the whole record; a short one is not completed.
  const std::size_t length = RecordLength(header);
  exchange.record.assign(length, 0);
  exchange.recordRead =
      library.usb_bulk_read(handle, profile->replyEndpoint, AsChars(exchange.record.data()),
                            static_cast<int>(length), profile->recordTimeoutMs);
  exchange.recordCount = Count(device_texts::kReadDataPrefix, exchange.recordRead, length);
  exchange.recordStatus = Complete(exchange.recordRead, length) ? device_texts::kRecordReceived
                                                                : device_texts::kRecordError;
  return exchange;
}

}  // namespace talvorne
