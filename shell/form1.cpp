#include "shell/form1.h"

#include <stdexcept>
#include <string>

#include "decoding/attente.h"
#include "decoding/curve.h"
#include "decoding/sample_texts.h"
#include "device/acquisition_exchange.h"
#include "device/acquisition_failure.h"
#include "device/connexion.h"
#include "device/device_handle.h"
#include "device/device_texts.h"
#include "device/libusb_loader.h"
#include "handoff/command_message.h"
#include "handoff/form_dde.h"
#include "handoff/lines.h"
#include "resources/resource_ids.h"
#include "shell/aboutform.h"
#include "shell/shell_texts.h"
#include "shell/window_message_pump.h"
#include "win32/dpi.h"
#include "win32/foreground.h"
#include "win32/guarded_call.h"
#include "win32/message_boxes.h"
#include "win32/placeholders.h"
#include "win32/shortcuts.h"

namespace talvorne {

TForm1* Form1 = nullptr;

namespace {

// Debug mode's and normal mode's outer widths at 96 DPI, frame included.
constexpr int kDebugWidth = 844;
constexpr int kNormalWidth = 200;

// Posted to the main window when the last modal work has ended, for a GETDATA held meanwhile.
constexpr UINT kModalWorkEndedMessage = kCommandMessage + 1;

// The labels and the header stay on view this long before the table is written.
constexpr std::uint32_t kPauseBeforeTableMs = 2000;

// Connexion's reports go to plain message boxes and the debug panel's first three labels.
class ConnexionReport : public ConnexionView {
 public:
  explicit ConnexionReport(const TForm1& form) : form_(form) {}
  void ShowMessage(std::string_view text) override { ShowPlainMessage(text); }
  void SetLabel(int label, std::string_view text) override {
    const Label* labels[] = {&form_.Label1, &form_.Label2, &form_.Label3};
    labels[label - 1]->SetText(text);
  }

 private:
  const TForm1& form_;
};

// The instrument sends a few thousand samples per channel, but its header can announce up to
// 16 MB: the window cannot hold the table and traces of millions of samples (minutes of work and
// gigabytes in the text boxes), so such a record is refused with a message instead.
constexpr std::int32_t kLargestSampleCount = 65536;

std::string RecordTooLongError(std::int32_t sampleCount) {
  return FillPlaceholders(texts::kRecordTooLong,
                          {std::to_string(sampleCount), std::to_string(kLargestSampleCount)});
}

}  // namespace

TForm1::TForm1(HINSTANCE instance, const VisualStyle& style, const FormatSettings& settings)
    : Window(style),
      curveWindow(instance, style, settings, [this] { return Sending(); }),
      settings_(settings),
      saver_(settings) {
  Create(instance, kForm1Layout, LoadMenuW(instance, kMainMenuResource));
  AttachShortcuts(Handle(), LoadAcceleratorsW(instance, kMainShortcutsResource));
  modalWorkEnded_.emplace(Handle(), kModalWorkEndedMessage);
  BindControls();
  RunGuarded([this] { FormCreate(); });
}

void TForm1::BindControls() {
  const ControlLayout& layout = Layout();
  ProgressBar1 = ProgressBar(layout.Control("ProgressBar1"));
  Button3 = Button(layout.Control("Button3"));
  Button4 = Button(layout.Control("Button4"));
  Button5 = Button(layout.Control("Button5"));
  Label8 = Label(layout.Control("Label8"));
  Label9 = Label(layout.Control("Label9"));
  RichEdit1 = RichEdit(layout.Control("RichEdit1"));
  RichEdit2 = RichEdit(layout.Control("RichEdit2"));
  RichEdit3 = RichEdit(layout.Control("RichEdit3"));
  Memo1 = Memo(layout.Control("Memo1"));
  GroupBox1 = GroupBox(layout.Control("GroupBox1"));
  Label1 = Label(layout.Control("Label1"));
  Label2 = Label(layout.Control("Label2"));
  Label3 = Label(layout.Control("Label3"));
  Label4 = Label(layout.Control("Label4"));
  Label5 = Label(layout.Control("Label5"));
  Label6 = Label(layout.Control("Label6"));
  Label7 = Label(layout.Control("Label7"));
}

void TForm1::FormCreate() {
  // Before the first acquisition the table holds the two-channel header.
  Memo1.SetText(kTwoChannelHeaderLines);
  ProgressBar1.SetVisible(false);
}

void TForm1::FormClose() {
  acquisition_.DropHeldCommands();
  fetches_.Stop();
  if (usb_) CloseOscilloscope(*usb_, DeviceHandle);
}

void TForm1::Button3Click() {
  if (!usb_) usb_ = LoadLibUSB();
  if (!usb_) {
    ShowPlainMessage(device_texts::kDriverMissing);
    return;
  }
  ConnexionReport report(*this);
  if (LibUSB::usb_dev_handle* handle = ConnectOscilloscope(*usb_, report)) {
    DeviceHandle = handle;
    Button4.SetEnabled(true);
    Button3.SetEnabled(false);
  }
}

void TForm1::Button4Click() {
  Acquire(false);
}

void TForm1::Acquire(bool sendTable) {
  if (!usb_) return;
  RunAcquisition(sendTable, [&] {
    const auto exchange = RunAcquisitionExchange(*usb_, DeviceHandle);
    if (!exchange) return false;
    ShowExchange(*exchange);
    if (const auto failure = FailureOf(*exchange)) {
      if (failure->oscilloscopeLost) LetOscilloscopeGo();
      ShowPlainMessage(failure->message);
      return false;
    }
    return ConvertAcceptedRecord(exchange->record);
  });
}

template <class Acquisition>
void TForm1::RunAcquisition(bool sendTable, Acquisition&& acquisition) {
  // A click during the pause or a box would start a second table inside the first.
  if (!acquisition_.TryBegin()) return;
  // Held like a click's, so that a "Régressi" clicked during the pause adds no second send.
  if (sendTable) acquisition_.Request(TableCommand::kRegressi);
  bool complete = false;
  try {
    complete = acquisition();
  } catch (...) {
    acquisition_.End(false);
    throw;
  }
  for (const TableCommand held : acquisition_.End(complete)) RunTableCommand(held);
}

void TForm1::LetOscilloscopeGo() {
  ReleaseOscilloscope(*usb_, DeviceHandle);
  Button4.SetEnabled(false);
  Button3.SetEnabled(true);
}

void TForm1::ShowExchange(const AcquisitionExchange& exchange) {
  Label5.SetText(exchange.label5);
  Label2.SetText(exchange.label2);
  Label1.SetText(exchange.label1);
  Label4.SetText(exchange.label4);
  Label3.SetText(exchange.label3);
  RichEdit2.SetText(exchange.headerHex);
  Label7.SetText(exchange.label7);
  Label6.SetText(exchange.label6);
}

void TForm1::Button5Click() {
  RunOnCompleteTable(TableCommand::kRegressi);
}

void TForm1::Enregistrer1Click() {
  RunOnCompleteTable(TableCommand::kSave);
}

void TForm1::Copier1Click() {
  RunOnCompleteTable(TableCommand::kCopy);
}

void TForm1::Ajouter1Click() {
  RunOnCompleteTable(TableCommand::kAddToZuruzevu);
}

void TForm1::Quitter1Click() {
  SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TForm1::Courbe1Click() {
  curveWindow.Open(Handle());
}

void TForm1::RunOnCompleteTable(TableCommand command) {
  if (acquisition_.Request(command)) RunTableCommand(command);
}

void TForm1::RunTableCommand(TableCommand command) {
  switch (command) {
    case TableCommand::kRegressi:
      return FormDDE->EnvoieDonnees(Memo1, false);
    case TableCommand::kAddToZuruzevu:
      return FormDDE->EnvoieDonnees(Memo1, true);
    case TableCommand::kCopy:
      return FormDDE->CopieDonnees(Memo1);
    case TableCommand::kSave:
      return saver_.Save(Handle(), SplitLines(Memo1.Text()));
  }
}

void TForm1::ConvertRecord(std::span<const std::uint8_t> record, bool sendTable) {
  RunAcquisition(sendTable, [&] { return ConvertAcceptedRecord(record); });
}

bool TForm1::ConvertAcceptedRecord(std::span<const std::uint8_t> record) {
  const RecordTexts description = DescribeRecord(record, settings_.decimalSeparator);
  if (!AcceptRecord(description, record.size())) return false;
  FillFromRecord(record, description);
  curveWindow.ShowCurve(DecodeCurve(WaveformRecord(record)), description.sweepLabel,
                        description.amplitudeLabel);
  return true;
}

bool TForm1::AcceptRecord(const RecordTexts& description, std::size_t length) const {
  if (description.sampleCount < 0) {
    ShowPlainMessage(FillPlaceholders(texts::kUnreadableRecord, {std::to_string(length)}));
    return false;
  }
  if (description.sampleCount > kLargestSampleCount) {
    throw std::length_error(RecordTooLongError(description.sampleCount));
  }
  return true;
}

void TForm1::FillFromRecord(std::span<const std::uint8_t> record, const RecordTexts& description) {
  WriteRecordDescription(description);
  WindowMessagePump pump;
  Attente(kPauseBeforeTableMs, pump);
  WriteSamples(record, description.sampleCount);
}

void TForm1::WriteRecordDescription(const RecordTexts& description) {
  Label8.SetText(description.sweepLabel);
  Label9.SetText(description.amplitudeLabel);
  Memo1.SetText(description.headerLines);
}

void TForm1::WriteSamples(std::span<const std::uint8_t> record, std::int32_t sampleCount) {
  ProgressBar1.SetRange(0, sampleCount);
  ProgressBar1.SetVisible(true);
  const SampleTexts samples = ConvertSamples(record, settings_.decimalSeparator);
  ProgressBar1.SetPosition(sampleCount);
  // Each control gets its whole text in one call.
  Memo1.SetText(samples.table);
  RichEdit1.SetText(samples.sampleByteTrace);
  RichEdit3.SetText(samples.timeVoltageTrace);
  Button5.SetEnabled(true);
  EnableTableMenuItems();
}

void TForm1::EnableTableMenuItems() {
  for (const int item : {IDM_SAVE_TABLE, IDM_COPY_TABLE, IDM_ADD_TO_ZURUZEVU}) {
    EnableMenuItem(GetMenu(Handle()), static_cast<UINT>(item), MF_BYCOMMAND | MF_ENABLED);
  }
}

void TForm1::N1Click() {
  if (aboutform->Showing()) {
    aboutform->Hide();
  } else {
    aboutform->ShowModal();
  }
}

void TForm1::On1Click() {
  SetOuterWidth(kDebugWidth);
  ShowDebugPanel(true);
}

void TForm1::Off1Click() {
  SetOuterWidth(kNormalWidth);
  ShowDebugPanel(false);
}

void TForm1::BringForward() {
  BringToForeground(Handle());
}

void TForm1::FetchAndSend() {
  fetches_.Request(ModalWork::Running());
}

void TForm1::FetchNewTable() {
  if (DeviceHandle == nullptr) return BringForward();
  Acquire(true);
}

bool TForm1::Sending() const {
  return FormDDE != nullptr && FormDDE->Sending();
}

void TForm1::SetOuterWidth(int designWidth) {
  RECT frame;
  GetWindowRect(Handle(), &frame);
  SetWindowPos(Handle(), nullptr, 0, 0, ScaleForDpi(designWidth, Layout().Dpi()),
               frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::ShowDebugPanel(bool visible) {
  for (const Control& control : {Control(GroupBox1), Control(RichEdit1), Control(RichEdit2),
                                 Control(RichEdit3), Control(Memo1)}) {
    control.SetVisible(visible);
  }
}

void TForm1::OnCommand(WPARAM wParam, LPARAM lParam) {
  const auto source = reinterpret_cast<HWND>(lParam);
  if (source == nullptr) {
    switch (LOWORD(wParam)) {
      case IDM_DEBUG_ON:
        return On1Click();
      case IDM_DEBUG_OFF:
        return Off1Click();
      case IDM_ABOUT:
        return N1Click();
      case IDM_SAVE_TABLE:
        return Enregistrer1Click();
      case IDM_COPY_TABLE:
        return Copier1Click();
      case IDM_ADD_TO_ZURUZEVU:
        return Ajouter1Click();
      case IDM_QUIT:
        return Quitter1Click();
      case IDM_SHOW_CURVE:
        return Courbe1Click();
    }
    return;
  }
  if (HIWORD(wParam) != BN_CLICKED) return;
  if (source == Button3.Handle()) return Button3Click();
  if (source == Button4.Handle()) return Button4Click();
  if (source == Button5.Handle()) return Button5Click();
}

void TForm1::OnServiceCommand(WPARAM word) {
  switch (static_cast<CommandWord>(word)) {
    case CommandWord::Focus:
      return BringForward();
    case CommandWord::GetData:
      return FetchAndSend();
  }
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // Windows dispatches input inside a send's DDE transactions: no command, a menu's or a
      // key's included, runs inside the send.
      if (!Sending()) OnCommand(wParam, lParam);
      return 0;
    case WM_SYSCOMMAND:
      // Nor does a menu open then.
      if (Sending() && ((wParam & 0xFFF0) == SC_MOUSEMENU || (wParam & 0xFFF0) == SC_KEYMENU)) {
        return 0;
      }
      return Window::HandleMessage(message, wParam, lParam);
    case WM_SETCURSOR:
      // The hourglass stays while the send lasts, wherever the mouse goes over the window.
      if (!Sending()) return Window::HandleMessage(message, wParam, lParam);
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      return TRUE;
    case kCommandMessage:
      OnServiceCommand(wParam);
      return 0;
    case kModalWorkEndedMessage:
      fetches_.ModalWorkEnded(ModalWork::Running());
      return 0;
    case WM_DESTROY:
      DetachShortcuts(Handle());
      return Window::HandleMessage(message, wParam, lParam);
    case WM_CLOSE:
      // The close is never refused: the windows go once the message loop has ended.
      RunGuarded([this] { FormClose(); });
      ShowWindow(Handle(), SW_HIDE);
      PostQuitMessage(0);
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace talvorne
