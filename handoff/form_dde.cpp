#include "handoff/form_dde.h"

#include "handoff/clipboard.h"
#include "handoff/command_service.h"
#include "handoff/lines.h"
#include "handoff/system_lookup_platform.h"
#include "handoff/zuruzevu_lookup.h"
#include "shell/aboutform.h"
#include "shell/form1.h"
#include "shell/guarded_call.h"
#include "shell/hourglass_cursor.h"
#include "shell/message_boxes.h"
#include "shell/resource_ids.h"
#include "shell/text_encoding.h"

namespace talvorne {

TFormDDE* FormDDE = nullptr;

namespace {

class PlainMessageBoxes final : public SendView {
 public:
  void ShowMessage(std::string_view text) override { ShowPlainMessage(text); }
};

class ErrorBoxes final : public CommandView {
 public:
  void ShowError(std::string_view text) override { ShowErrorMessage(text, ErrorBoxButton::Ok); }
};

// The windows whose captions are topics of the service.
std::vector<HWND> ProgramWindows() {
  std::vector<HWND> windows;
  if (Form1 != nullptr) windows.push_back(Form1->Handle());
  if (aboutform != nullptr) windows.push_back(aboutform->Handle());
  if (FormDDE != nullptr) windows.push_back(FormDDE->Handle());
  return windows;
}

}  // namespace

TFormDDE::TFormDDE(HINSTANCE instance, const VisualStyle& style, DdeInstance& dde)
    : Window(style), dde_(dde), ddeml_(dde), server_(dde, ServeurDDE, ProgramWindows) {
  Create(instance, kFormDdeLayout, nullptr);
  RunGuarded([this] { FormCreate(); });
  dde_.SetParticipant(this);
}

TFormDDE::~TFormDDE() {
  dde_.SetParticipant(nullptr);
}

void TFormDDE::FormCreate() {
  SystemLookupPlatform system;
  ClientDDE.ServiceApplication = LocateZuruzevu(system);
}

void TFormDDE::EnvoieDonnees(const Memo& Memo, bool NouvellePage) {
  const HourglassCursor hourglass;
  // The box's stored lines: a line wider than the box reaches Zuruzevu whole.
  PutTextOnClipboard(Handle(), Widen(ClipboardText(SplitLines(Memo.Text()))));
  Execute(NouvellePage ? TEnvoi::eAdd : TEnvoi::eLoad);
}

void TFormDDE::Execute(TEnvoi ordre) {
  PlainMessageBoxes boxes;
  talvorne::Execute(ordre, ClientDDE, ClientItem, starter_, boxes);
}

void TFormDDE::ExecuteMacro(TDdeServerConv&, const std::vector<std::string>& Msg) {
  ErrorBoxes boxes;
  talvorne::ExecuteMacro(Msg, boxes);
}

HDDEDATA TFormDDE::Answer(const DdeTransaction& transaction) {
  // A change of the item linked in the conversation with Zuruzevu; everything else is the
  // service's.
  if (transaction.type == XTYP_ADVDATA) {
    const auto client = reinterpret_cast<HCONV>(ClientDDE.Conversation());
    if (client == nullptr || transaction.conversation != client) return nullptr;
    ClientDDE.DataChange();
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
  }
  return server_.Answer(transaction);
}

LRESULT TFormDDE::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The form lives as long as the program: a close from outside must not destroy it.
  if (message == WM_CLOSE) return 0;
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace talvorne
