// Hands the table, already on the clipboard, to Zuruzevu: starts Zuruzevu when it does not seem to
// run, connects to it (a second time after a second if need be) and tells it to take the table.
#pragma once

#include <string_view>

#include "handoff/dde_client_conv.h"
#include "handoff/zuruzevu_starter.h"

namespace talvorne {

// Load the table in Zuruzevu, or add it as a new page.
enum class TEnvoi { eAdd, eLoad };

// Where the send reports: plain message boxes, each closed by the user before the send goes on.
class SendView {
 public:
  virtual ~SendView() = default;
  virtual void ShowMessage(std::string_view text) = 0;
};

// Reports every failure itself; no error leaves it.
void Execute(TEnvoi ordre, TDdeClientConv& conversation, TDdeClientItem& item,
             ZuruzevuStarter& starter, SendView& view);

}  // namespace talvorne
