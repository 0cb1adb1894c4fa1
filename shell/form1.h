// The main window: three commands, the result labels, the progress bar and, in debug mode, the
// debug panel with the exchange's status texts, the traces and the data table.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "shell/acquisition.h"
#include "shell/curve_window.h"
#include "shell/format_settings.h"
#include "shell/table_saver.h"
#include "win32/controls.h"
#include "win32/deferred_texts.h"
#include "win32/modal_work.h"
#include "win32/window.h"

namespace talvorne {

class TForm1 : public Window, public AcquisitionView {
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
  void BringForward() override;
  // GETDATA: a "Récupération" whose table, if it makes one, is sent as "Régressi" sends it; during
  // an acquisition, that one's table is sent; during a send, a box or a dialog, it waits for them
  // to end. Without an open oscilloscope, the window only comes forward.
  void FetchAndSend();

  // The conversion, the last stage of "Récupération", as an acquisition of its own: the record
  // becomes the labels, the data table, the traces and the progress display, and "Régressi" is
  // enabled at the end. sendTable: the complete table is then sent, as by a "Régressi" clicked
  // during the pause.
  void ConvertRecord(std::span<const std::uint8_t> record, bool sendTable = false);

  // What an acquisition shows: the debug panel's labels, the labels and the header before the
  // pause, then the table, the traces and the progress display, with "Régressi" and the table's
  // menu items enabled.
  void ShowExchange(const AcquisitionExchange& exchange) override;
  void ShowOscilloscopeLost() override;
  void WriteRecordDescription(const Curve& curve) override;
  void WriteSamples(const Curve& curve) override;
  void RunTableCommand(TableCommand command) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BindControls();
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void OnServiceCommand(WPARAM word);
  // A send is under way: Windows dispatches input inside its DDE transactions.
  bool Sending() const;
  void SetOuterWidth(int designWidth);
  // GroupBox1, RichEdit1, RichEdit2, RichEdit3 and Memo1, in that order.
  void ShowDebugPanel(bool visible);
  void EnableTableMenuItems();

  const FormatSettings& settings_;
  TableSaver saver_;
  // The texts of Memo1, RichEdit1 and RichEdit3, written into them while the debug panel is shown.
  std::optional<DeferredTexts> panelTexts_;
  Acquisition acquisition_;
  std::optional<ModalWorkEndNotice> modalWorkEnded_;
};

extern TForm1* Form1;

}  // namespace talvorne
