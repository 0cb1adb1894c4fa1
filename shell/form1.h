// The main window: three commands, the result labels, the progress bar and, in debug mode, the
// debug panel with the exchange's status texts, the traces and the data table.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "decoding/record_texts.h"
#include "device/acquisition_exchange.h"
#include "device/usb_library.h"
#include "shell/acquisition_gate.h"
#include "shell/curve_window.h"
#include "shell/format_settings.h"
#include "shell/get_data_requests.h"
#include "shell/table_saver.h"
#include "win32/controls.h"
#include "win32/modal_work.h"
#include "win32/window.h"

namespace talvorne {

class TForm1 : public Window {
 public:
  TForm1(HINSTANCE instance, const VisualStyle& style, const FormatSettings& settings);

  ProgressBar ProgressBar1;
  Button Button3, Button4, Button5;
  Label Label8, Label9;
  RichEdit RichEdit1, RichEdit2, RichEdit3;
  Memo Memo1;
  GroupBox GroupBox1;
  Label Label1, Label2, Label3, Label4, Label5, Label6, Label7;

  void FormCreate();
  void FormClose();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void N1Click();
  void On1Click();
  void Off1Click();
  // The "Fichier" menu: the table saved to a file, copied, added to Zuruzevu as a new page; and
  // the close.
  void Enregistrer1Click();
  void Copier1Click();
  void Ajouter1Click();
  void Quitter1Click();

  // The "Affichage" menu's "Courbe": the window of the last good curve, opened or brought forward.
  CurveWindow curveWindow;
  void Courbe1Click();

  // Other programs' commands, carried out from the message loop once their execute has been
  // answered. FOCUS: the window is restored if minimised and brought to the foreground.
  void BringForward();
  // GETDATA: a "Récupération" whose table, if it makes one, is sent as "Régressi" sends it; during
  // an acquisition, that one's table is sent; during a send, a box or a dialog, it waits for them
  // to end. Without an open oscilloscope, the window only comes forward.
  void FetchAndSend();

  // The conversion, the last stage of "Récupération", as an acquisition of its own: the record
  // becomes the labels, the data table, the traces and the progress display, and "Régressi" is
  // enabled at the end. sendTable: the complete table is then sent, as by a "Régressi" clicked
  // during the pause.
  void ConvertRecord(std::span<const std::uint8_t> record, bool sendTable = false);
  // Refuses, before anything is written, a record that cannot become a table: one too short to
  // hold a sample gets a plain message box and false, one far longer than the instrument's
  // std::length_error. The table, the labels and the traces then stay as they were.
  bool AcceptRecord(const RecordTexts& description, std::size_t length) const;
  // The conversion's two halves, around its pause: the labels and the header, then the samples
  // of an accepted record.
  void WriteRecordDescription(const RecordTexts& description);
  void WriteSamples(std::span<const std::uint8_t> record, std::int32_t sampleCount);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BindControls();
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void OnServiceCommand(WPARAM word);
  // "Récupération"; sendTable as for ConvertRecord.
  void Acquire(bool sendTable);
  // Runs acquisition (true when it made a complete table) unless one is already running, then the
  // table commands held meanwhile.
  template <class Acquisition>
  void RunAcquisition(bool sendTable, Acquisition&& acquisition);
  // The record's conversion, unless AcceptRecord refuses it; true when the table is complete.
  bool ConvertAcceptedRecord(std::span<const std::uint8_t> record);
  void FetchNewTable();
  // A send is under way: Windows dispatches input inside its DDE transactions.
  bool Sending() const;
  void SetOuterWidth(int designWidth);
  // GroupBox1, RichEdit1, RichEdit2, RichEdit3 and Memo1, in that order.
  void ShowDebugPanel(bool visible);
  void ShowExchange(const AcquisitionExchange& exchange);
  // The oscilloscope has stopped answering: its handle is closed and forgotten, and Connexion is
  // offered again.
  void LetOscilloscopeGo();
  void FillFromRecord(std::span<const std::uint8_t> record, const RecordTexts& description);
  // During an acquisition a command that takes the table waits for the complete table.
  void RunOnCompleteTable(TableCommand command);
  void RunTableCommand(TableCommand command);
  void EnableTableMenuItems();

  const FormatSettings& settings_;
  // libusb0.dll, loaded by the first Connexion and kept to the end: the device is closed through
  // it.
  std::unique_ptr<UsbLibrary> usb_;
  AcquisitionGate acquisition_;
  TableSaver saver_;
  GetDataRequests fetches_{acquisition_, [this] { FetchNewTable(); }};
  std::optional<ModalWorkEndNotice> modalWorkEnded_;
};

extern TForm1* Form1;

}  // namespace talvorne
