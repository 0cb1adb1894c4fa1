#include "shell/acquisition.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "decoding/attente.h"
#include "decoding/placeholders.h"
#include "device/acquisition_failure.h"
#include "device/device_handle.h"
#include "device/libusb_loader.h"
#include "shell/shell_texts.h"
#include "shell/window_message_pump.h"
#include "win32/message_boxes.h"

namespace talvorne {
namespace {

// The labels and the header stay on view this long before the table is written.
constexpr std::uint32_t kPauseBeforeTableMs = 2000;

// The instrument sends a few thousand samples per channel, but its header can announce up to
// 16 MB: the window cannot hold the table and traces of millions of samples (minutes of work and
// gigabytes in the text boxes), so such a record is refused with a message instead.
constexpr std::int32_t kLargestSampleCount = 65536;

}  // namespace

bool AcceptRecord(const WaveformRecord& record) {
  if (record.SampleCount() < 0) {
    ShowPlainMessage(FillPlaceholders(texts::kUnreadableRecord, {std::to_string(record.Length())}));
    return false;
  }
  if (record.SampleCount() > kLargestSampleCount) {
    throw std::length_error(FillPlaceholders(
        texts::kRecordTooLong,
        {std::to_string(record.SampleCount()), std::to_string(kLargestSampleCount)}));
  }
  return true;
}

bool Acquisition::Connect(ConnexionView& report) {
  if (!usb_) {
    LibUSBLoad load = LoadLibUSB();
    if (!load.library) {
      ShowPlainMessage(LoadFailureText(load));
      return false;
    }
    usb_ = std::move(load.library);
  }
  const OpenedOscilloscope opened = ConnectOscilloscope(*usb_, report);
  if (opened.handle == nullptr) return false;
  DeviceHandle = opened.handle;
  profile_ = opened.profile;
  return true;
}

void Acquisition::Acquire(bool sendTable) {
  if (!usb_) return;
  Run(sendTable, [this] { return Exchange(); });
}

void Acquisition::ConvertRecord(std::span<const std::uint8_t> record, bool sendTable) {
  Run(sendTable, [&] { return Convert(WaveformRecord(record)); });
}

template <class Steps>
void Acquisition::Run(bool sendTable, Steps&& steps) {
  // A click during the pause or a box would start a second table inside the first.
  if (!gate_.TryBegin()) return;
  // Held like a click's, so that a "Régressi" clicked during the pause adds no second send.
  if (sendTable) gate_.Request(TableCommand::kRegressi);
  bool complete = false;
  try {
    complete = steps();
  } catch (...) {
    gate_.End(false);
    throw;
  }
  for (const TableCommand held : gate_.End(complete)) view_.RunTableCommand(held);
}

bool Acquisition::Exchange() {
  const auto exchange = RunAcquisitionExchange(*usb_, DeviceHandle, profile_);
  if (!exchange) return false;
  view_.ShowExchange(*exchange);
  if (const auto failure = FailureOf(*exchange)) {
    if (failure->oscilloscopeLost) {
      ReleaseOscilloscope(*usb_, DeviceHandle, *profile_);
      view_.ShowOscilloscopeLost();
    }
    ShowPlainMessage(failure->message);
    return false;
  }
  return Convert(WaveformRecord(exchange->record, profile_->recordFormat));
}

bool Acquisition::Convert(const WaveformRecord& record) {
  if (!AcceptRecord(record)) return false;
  Curve curve = DecodeCurve(record);
  view_.WriteRecordDescription(curve);
  WindowMessagePump pump;
  Attente(kPauseBeforeTableMs, pump);
  // The last complete table's curve is kept until this one is complete.
  curve_ = std::move(curve);
  view_.WriteSamples(*curve_);
  return true;
}

void Acquisition::RunOnCompleteTable(TableCommand command) {
  if (gate_.Request(command)) view_.RunTableCommand(command);
}

void Acquisition::FetchAndSend(bool modalWorkRunning) {
  fetches_.Request(modalWorkRunning);
}

void Acquisition::ModalWorkEnded(bool modalWorkRunning) {
  fetches_.ModalWorkEnded(modalWorkRunning);
}

void Acquisition::FetchNewTable() {
  if (DeviceHandle == nullptr) return view_.BringForward();
  Acquire(true);
}

void Acquisition::Close() {
  gate_.DropHeldCommands();
  fetches_.Stop();
  if (usb_) CloseOscilloscope(*usb_, DeviceHandle);
}

}  // namespace talvorne
