#include "shell/form1.h"

#include "decoding/lines.h"
#include "decoding/record_texts.h"
#include "decoding/sample_texts.h"
#include "handoff/command_message.h"
#include "handoff/form_dde.h"
#include "resources/resource_ids.h"
#include "shell/aboutform.h"
#include "win32/dpi.h"
#include "win32/foreground.h"
#include "win32/guarded_call.h"
#include "win32/message_boxes.h"
#include "win32/shortcuts.h"

namespace talvorne {

TForm1* Form1 = nullptr;

namespace {

// Debug mode's and normal mode's outer widths at 96 DPI, frame included.
constexpr int kDebugWidth = 844;
constexpr int kNormalWidth = 200;

// Posted to the main window when the last modal work has ended, for a GETDATA held meanwhile.
constexpr UINT kModalWorkEndedMessage = kCommandMessage + 1;

// Connexion's reports go to plain message boxes and the debug panel's first three labels, one
// for each set-up step.
class ConnexionReport : public ConnexionView {
 public:
  explicit ConnexionReport(const TForm1& form) : form_(form) {}
  void ShowMessage(std::string_view text) override { ShowPlainMessage(text); }
  void ShowRefusedStep(SetUpStep step, std::string_view text) override {
    // Label1 to Label3 in the steps' order.
    const Label* labels[] = {&form_.Label1, &form_.Label2, &form_.Label3};
    labels[static_cast<std::size_t>(step)]->SetText(text);
  }

 private:
  const TForm1& form_;
};

}  // namespace

TForm1::TForm1(HINSTANCE instance, const VisualStyle& style, const FormatSettings& settings)
    : Window(style),
      curveWindow(instance, style, settings, [this] { return Sending(); }),
      settings_(settings),
      saver_(settings),
      acquisition_(*this) {
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
  panelTexts_.emplace(ProgressBar1, std::vector{Memo1}, std::vector{RichEdit1, RichEdit3});
}

void TForm1::FormCreate() {
  // Before the first acquisition the table holds the two-channel header.
  Memo1.SetText(kTwoChannelHeaderLines);
  ProgressBar1.SetVisible(false);
}

void TForm1::FormClose() {
  acquisition_.Close();
}

void TForm1::Button3Click() {
  ConnexionReport report(*this);
  if (acquisition_.Connect(report)) {
    Button4.SetEnabled(true);
    Button3.SetEnabled(false);
  }
}

void TForm1::Button4Click() {
  acquisition_.Acquire(false);
}

void TForm1::ShowOscilloscopeLost() {
  Button4.SetEnabled(false);
  Button3.SetEnabled(true);
}

void TForm1::ShowExchange(const AcquisitionExchange& exchange) {
  Label5.SetText(exchange.writeCount);
  Label2.SetText(exchange.sendStatus);
  Label1.SetText(exchange.headerRequest);
  Label4.SetText(exchange.headerCount);
  Label3.SetText(exchange.headerStatus);
  RichEdit2.SetText(exchange.headerHex);
  Label7.SetText(exchange.recordCount);
  Label6.SetText(exchange.recordStatus);
}

void TForm1::Button5Click() {
  acquisition_.RunOnCompleteTable(TableCommand::kRegressi);
}

void TForm1::Enregistrer1Click() {
  acquisition_.RunOnCompleteTable(TableCommand::kSave);
}

void TForm1::Copier1Click() {
  acquisition_.RunOnCompleteTable(TableCommand::kCopy);
}

void TForm1::Ajouter1Click() {
  acquisition_.RunOnCompleteTable(TableCommand::kAddToZuruzevu);
}

void TForm1::Quitter1Click() {
  SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TForm1::Courbe1Click() {
  curveWindow.Open(Handle());
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
  acquisition_.ConvertRecord(record, sendTable);
}

void TForm1::WriteRecordDescription(const Curve& curve) {
  const RecordTexts description = DescribeRecord(curve, settings_.decimalSeparator);
  Label8.SetText(description.sweepLabel);
  Label9.SetText(description.amplitudeLabel);
  panelTexts_->SetText(Memo1, description.headerLines);
  panelTexts_->WriteShown();
}

void TForm1::WriteSamples(const Curve& curve) {
  ProgressBar1.SetRange(0, curve.sampleCount);
  ProgressBar1.SetVisible(true);
  const SampleTexts samples = ConvertSamples(curve, settings_.decimalSeparator);
  panelTexts_->SetText(Memo1, samples.table);
  panelTexts_->SetText(RichEdit1, samples.sampleByteTrace);
  panelTexts_->SetText(RichEdit3, samples.timeVoltageTrace);
  // With the panel shown, the bar follows the texts as they reach their boxes.
  panelTexts_->WriteShown();
  ProgressBar1.SetPosition(curve.sampleCount);
  Button5.SetEnabled(true);
  EnableTableMenuItems();
  curveWindow.ShowCurve(curve);
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
  panelTexts_->WriteShown();
}

void TForm1::Off1Click() {
  SetOuterWidth(kNormalWidth);
  ShowDebugPanel(false);
}

void TForm1::BringForward() {
  BringToForeground(Handle());
}

void TForm1::FetchAndSend() {
  acquisition_.FetchAndSend(ModalWork::Running());
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
      acquisition_.ModalWorkEnded(ModalWork::Running());
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
