// The DDE form: a window that is never shown and carries the hand-off to Zuruzevu and the
// program's own DDE service. At its creation it chooses the Zuruzevu executable; "Régressi" sends
// the data table through it; other programs' commands reach it from its creation on.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "handoff/dde_client_conv.h"
#include "handoff/dde_instance.h"
#include "handoff/dde_server.h"
#include "handoff/ddeml_client.h"
#include "handoff/execute.h"
#include "handoff/system_zuruzevu_starter.h"
#include "win32/controls.h"
#include "win32/modal_work.h"
#include "win32/one_at_a_time.h"
#include "win32/window.h"

namespace talvorne {

class TFormDDE : public Window, private DdeParticipant {
  // The system behind the conversation, made before it and gone after it.
  DdeInstance& dde_;
  DdemlClient ddeml_;
  SystemZuruzevuStarter starter_;

 public:
  // otherWindows: the program's other windows, whose captions, like the form's own, are topics of
  // the service. commandWindow: the one that carries out the service's commands, posted to it as
  // kCommandMessage.
  TFormDDE(HINSTANCE instance, const VisualStyle& style, DdeInstance& dde,
           std::vector<HWND> otherWindows, HWND commandWindow);
  ~TFormDDE() override;

  TDdeClientConv ClientDDE{ddeml_, starter_};
  TDdeClientItem ClientItem{ClientDDE};
  TDdeServerConv ServeurDDE{"ServeurDDE",
                            [this](TDdeServerConv& Sender, const std::vector<std::string>& Msg) {
                              ExecuteMacro(Sender, Msg);
                            }};

  // Chooses the executable started as Zuruzevu.
  void FormCreate();
  // Puts the lines of the box on the clipboard and has Zuruzevu load them (NouvellePage false)
  // or add them as a new page (true). Does nothing while a send is in progress.
  void EnvoieDonnees(const Memo& Memo, bool NouvellePage);
  // Puts the lines of the box on the clipboard as a send does, and nothing more.
  void CopieDonnees(const Memo& Memo);
  // A send is in progress: its waits and DDE transactions are under way.
  bool Sending() const { return sending_.Running(); }
  void Execute(TEnvoi ordre);
  // A command another program sent on the topic "ServeurDDE", as its lines. Returns at once: a
  // known command is posted to the command window, and the error box of one that is not is shown
  // from the message loop once the execute has been answered and no modal work is running.
  void ExecuteMacro(TDdeServerConv& Sender, const std::vector<std::string>& Msg);
  // The service's error box is due or up: further commands are answered busy.
  bool ServiceErrorPending() const { return serviceError_.has_value(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HDDEDATA Answer(const DdeTransaction& transaction) override;
  std::vector<HWND> TopicWindows() const;
  void ShowServiceErrorLater(std::string_view text);
  void ShowServiceError();

  const std::vector<HWND> otherWindows_;
  const HWND commandWindow_;
  DdeServer server_;
  OneAtATime sending_;
  std::optional<std::string> serviceError_;
  std::optional<ModalWorkEndNotice> modalWorkEnded_;
};

extern TFormDDE* FormDDE;

}  // namespace talvorne
