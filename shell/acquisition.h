// "Récupération" from its click to its table, and what waits on it: the exchange with the
// oscilloscope, the rules that keep an incomplete record from becoming a table, the conversion
// and its pause, the table commands held meanwhile and other programs' GETDATA.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "decoding/curve.h"
#include "device/acquisition_exchange.h"
#include "device/connexion.h"
#include "device/oscilloscope_profile.h"
#include "device/usb_library.h"
#include "shell/acquisition_gate.h"
#include "shell/get_data_requests.h"

namespace talvorne {

// Where an acquisition shows what it did: the main window.
class AcquisitionView {
 public:
  virtual ~AcquisitionView() = default;
  // The exchange's results, for the debug panel.
  virtual void ShowExchange(const AcquisitionExchange& exchange) = 0;
  // The oscilloscope has stopped answering: "Récupération" waits for a new "Connexion".
  virtual void ShowOscilloscopeLost() = 0;
  // The views of the record's curve: before the pause the labels and the table's header, after it
  // the complete table, the traces and the plot.
  virtual void WriteRecordDescription(const Curve& curve) = 0;
  virtual void WriteSamples(const Curve& curve) = 0;
  // A command that takes the table as it stands in the window.
  virtual void RunTableCommand(TableCommand command) = 0;
  // A GETDATA found no oscilloscope open: the window only comes forward.
  virtual void BringForward() = 0;
};

// Refuses, before anything is written or decoded, a record that cannot become a table: one too
// short to hold a sample gets a plain message box and false, one far longer than the instrument's
// std::length_error. The table, the labels and the traces then stay as they were.
bool AcceptRecord(const WaveformRecord& record);

class Acquisition {
 public:
  explicit Acquisition(AcquisitionView& view) : view_(view) {}

  // "Connexion". libusb0.dll is loaded by the first one and kept to the end: the device is closed
  // through it. True once DeviceHandle is open.
  bool Connect(ConnexionView& report);
  // "Récupération"; sendTable: the complete table is then sent, as by a "Régressi" clicked during
  // the pause.
  void Acquire(bool sendTable);
  // The conversion, the last stage of "Récupération", of a record already received, as an
  // acquisition of its own.
  void ConvertRecord(std::span<const std::uint8_t> record, bool sendTable);
  // A command that takes the table runs now or, during an acquisition, once its table is complete.
  void RunOnCompleteTable(TableCommand command);
  // Another program's GETDATA, and the end of the modal work it may have waited for.
  void FetchAndSend(bool modalWorkRunning);
  void ModalWorkEnded(bool modalWorkRunning);
  // The window is closing: nothing held runs after it, and the oscilloscope is closed.
  void Close();

  // The curve of the last complete table, kept until the next one; none before the first.
  const std::optional<Curve>& LastCurve() const { return curve_; }

 private:
  // Runs acquisition (true when it made a complete table) unless one is already running, then
  // the table commands held meanwhile.
  template <class Steps>
  void Run(bool sendTable, Steps&& steps);
  bool Exchange();
  // The record's conversion, unless AcceptRecord refuses it; true when the table is complete.
  bool Convert(const WaveformRecord& record);
  void FetchNewTable();

  AcquisitionView& view_;
  std::unique_ptr<UsbLibrary> usb_;
  // The model of the oscilloscope DeviceHandle is open on, from the Connexion that opened it.
  const OscilloscopeProfile* profile_ = nullptr;
  AcquisitionGate gate_;
  GetDataRequests fetches_{gate_, [this] { FetchNewTable(); }};
  std::optional<Curve> curve_;
};

}  // namespace talvorne
