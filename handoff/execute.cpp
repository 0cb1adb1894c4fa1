#include "handoff/execute.h"

#include "handoff/handoff_texts.h"

namespace talvorne {
namespace {

constexpr std::string_view kService = "Zuruzevu";
constexpr std::string_view kTopic = "ServeurDDE";
constexpr std::string_view kItem = "ServeurItem";
// A Zuruzevu started by the shell is given this long before the first connection.
constexpr unsigned kStartWaitMs = 2000;
constexpr unsigned kRetryWaitMs = 1000;

std::string_view CommandFor(TEnvoi ordre) {
  return ordre == TEnvoi::eAdd ? "CLIP|ADD" : "CLIP|LOAD";
}

bool Connect(TDdeClientConv& conversation, TDdeClientItem& item) {
  conversation.SetLink(kService, kTopic);
  item.SetDdeItem(kItem);
  return conversation.OpenLink();
}

}  // namespace

void Execute(TEnvoi ordre, TDdeClientConv& conversation, TDdeClientItem& item,
             ZuruzevuStarter& starter, SendView& view) {
  try {
    // Zuruzevu holds the semaphore while it runs; so does this program from its first probe on.
    if (!starter.ProbeSemaphore() && starter.ShellOpen(conversation.ServiceApplication)) {
      starter.Sleep(kStartWaitMs);
    }
    if (!Connect(conversation, item)) {
      starter.Sleep(kRetryWaitMs);
      if (!Connect(conversation, item)) {
        view.ShowMessage(handoff_texts::kCannotStart1);
        return;
      }
    }
    if (!conversation.ExecuteMacro(CommandFor(ordre))) {
      view.ShowMessage(handoff_texts::kTransferNotDone);
    }
    conversation.CloseLink();
  } catch (...) {
    view.ShowMessage(handoff_texts::kCannotStart2);
  }
}

}  // namespace talvorne
