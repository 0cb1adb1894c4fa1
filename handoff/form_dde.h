// The DDE form: a window that is never shown and carries the hand-off to Zuruzevu. At its creation
// it chooses the Zuruzevu executable; "Régressi" sends the data table through it.
#pragma once

#include "handoff/dde_client_conv.h"
#include "handoff/dde_instance.h"
#include "handoff/ddeml_client.h"
#include "handoff/execute.h"
#include "handoff/system_zuruzevu_starter.h"
#include "shell/controls.h"
#include "shell/window.h"

namespace talvorne {

class TFormDDE : public Window, private DdeParticipant {
  // The system behind the conversation, made before it and gone after it.
  DdeInstance& dde_;
  DdemlClient ddeml_;
  SystemZuruzevuStarter starter_;

 public:
  TFormDDE(HINSTANCE instance, const VisualStyle& style, DdeInstance& dde);
  ~TFormDDE() override;

  TDdeClientConv ClientDDE{ddeml_, starter_};
  TDdeClientItem ClientItem{ClientDDE};

  // Chooses the executable started as Zuruzevu.
  void FormCreate();
  // Puts the lines of the box on the clipboard and has Zuruzevu load them (NouvellePage false)
  // or add them as a new page (true).
  void EnvoieDonnees(const Memo& Memo, bool NouvellePage);
  void Execute(TEnvoi ordre);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HDDEDATA Answer(const DdeTransaction& transaction) override;
};

extern TFormDDE* FormDDE;

}  // namespace talvorne
