#include "handoff/form_dde.h"

#include "handoff/clipboard.h"
#include "handoff/lines.h"
#include "handoff/system_lookup_platform.h"
#include "handoff/zuruzevu_lookup.h"
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

}  // namespace

TFormDDE::TFormDDE(HINSTANCE instance, const VisualStyle& style, DdeInstance& dde)
    : Window(style), dde_(dde), ddeml_(dde) {
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

HDDEDATA TFormDDE::Answer(const DdeTransaction& transaction) {
  const auto client = reinterpret_cast<HCONV>(ClientDDE.Conversation());
  if (transaction.type == XTYP_ADVDATA && client != nullptr && transaction.conversation == client) {
    ClientDDE.DataChange();
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
  }
  return nullptr;
}

LRESULT TFormDDE::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The form lives as long as the program: a close from outside must not destroy it.
  if (message == WM_CLOSE) return 0;
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace talvorne
