#include "handoff/form_dde.h"

#include <functional>

#include "decoding/lines.h"
#include "handoff/clipboard.h"
#include "handoff/command_message.h"
#include "handoff/command_service.h"
#include "handoff/system_lookup_platform.h"
#include "handoff/zuruzevu_lookup.h"
#include "resources/resource_ids.h"
#include "win32/guarded_call.h"
#include "win32/hourglass_cursor.h"
#include "win32/message_boxes.h"
#include "win32/text_encoding.h"

namespace talvorne {

TFormDDE* FormDDE = nullptr;

namespace {

class PlainMessageBoxes final : public SendView {
 public:
  void ShowMessage(std::string_view text) override { ShowPlainMessage(text); }
};

// Posted to the form for the service's error box, and when the last modal work has ended.
constexpr UINT kServiceErrorMessage = WM_APP;

class ServiceView final : public CommandView {
 public:
  ServiceView(HWND commandWindow, std::function<void(std::string_view)> showError)
      : commandWindow_(commandWindow), showError_(std::move(showError)) {}
  void ShowError(std::string_view text) override { showError_(text); }
  void CarryOut(CommandWord word) override {
    PostMessageW(commandWindow_, kCommandMessage, static_cast<WPARAM>(word), 0);
  }

 private:
  HWND commandWindow_;
  std::function<void(std::string_view)> showError_;
};

}  // namespace

TFormDDE::TFormDDE(HINSTANCE instance, const VisualStyle& style, DdeInstance& dde,
                   std::vector<HWND> otherWindows, HWND commandWindow)
    : Window(style),
      dde_(dde),
      ddeml_(dde),
      otherWindows_(std::move(otherWindows)),
      commandWindow_(commandWindow),
      server_(
          dde, ServeurDDE, [this] { return TopicWindows(); },
          [this] { return ServiceErrorPending(); }) {
  Create(instance, kFormDdeLayout, nullptr);
  modalWorkEnded_.emplace(Handle(), kServiceErrorMessage);
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
  // Windows dispatches the user's input during a synchronous DDE transaction: a second click must
  // not run a send inside this one, whose conversation it would end.
  sending_.Run([&] {
    const ModalWork send;
    const HourglassCursor hourglass;
    CopieDonnees(Memo);
    Execute(NouvellePage ? TEnvoi::eAdd : TEnvoi::eLoad);
  });
}

void TFormDDE::CopieDonnees(const Memo& Memo) {
  // The box's stored lines: a line wider than the box reaches Zuruzevu whole.
  PutTextOnClipboard(Handle(), Widen(ClipboardText(SplitLines(Memo.Text()))));
}

void TFormDDE::Execute(TEnvoi ordre) {
  PlainMessageBoxes boxes;
  talvorne::Execute(ordre, ClientDDE, ClientItem, starter_, boxes);
}

void TFormDDE::ExecuteMacro(TDdeServerConv&, const std::vector<std::string>& Msg) {
  ServiceView view(commandWindow_, [this](std::string_view text) { ShowServiceErrorLater(text); });
  talvorne::ExecuteMacro(Msg, view);
}

void TFormDDE::ShowServiceErrorLater(std::string_view text) {
  serviceError_ = std::string(text);
  PostMessageW(Handle(), kServiceErrorMessage, 0, 0);
}

void TFormDDE::ShowServiceError() {
  // Never inside a send, a dialog or another box: the modal work's end brings it back here.
  if (!serviceError_ || ModalWork::Running()) return;
  ShowErrorMessage(*serviceError_, ErrorBoxButton::Ok);
  serviceError_.reset();
}

std::vector<HWND> TFormDDE::TopicWindows() const {
  std::vector<HWND> windows = otherWindows_;
  windows.push_back(Handle());
  return windows;
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
  if (message == kServiceErrorMessage) {
    ShowServiceError();
    return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace talvorne
