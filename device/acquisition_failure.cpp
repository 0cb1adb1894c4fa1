#include "device/acquisition_failure.h"

#include "decoding/placeholders.h"
#include "device/device_texts.h"

namespace talvorne {

std::optional<AcquisitionFailure> FailureOf(const AcquisitionExchange& exchange) {
  using std::to_string;
  if (exchange.written < 0 && exchange.headerRead < 0) {
    return AcquisitionFailure{std::string(device_texts::kOscilloscopeLost), true};
  }
  if (exchange.headerRead != static_cast<int>(exchange.header.size())) {
    return AcquisitionFailure{
        FillPlaceholders(device_texts::kNoReply, {to_string(exchange.headerRead)})};
  }
  if (exchange.recordRead < 0) {
    return AcquisitionFailure{
        FillPlaceholders(device_texts::kRecordNotReceived, {to_string(exchange.recordRead)})};
  }
  if (static_cast<std::size_t>(exchange.recordRead) < exchange.record.size()) {
    return AcquisitionFailure{
        FillPlaceholders(device_texts::kRecordIncomplete,
                         {to_string(exchange.recordRead), to_string(exchange.record.size())})};
  }
  return std::nullopt;
}

}  // namespace talvorne
