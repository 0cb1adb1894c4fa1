// The program's windows made in this test process as start-up makes them, for in-process tests.
#pragma once

#include <memory>

#include "handoff/dde_instance.h"
#include "handoff/form_dde.h"
#include "shell/aboutform.h"
#include "shell/form1.h"
#include "shell/format_settings.h"
#include "shell/visual_style.h"

namespace talvorne::testing {

class ProgramWindows {
 public:
  explicit ProgramWindows(FormatSettings settings = {});
  ~ProgramWindows();

  TForm1& Main() { return *main_; }
  Taboutform& About() { return *about_; }
  TFormDDE& Dde() { return *dde_; }

 private:
  FormatSettings settings_;
  DdeInstance ddeInstance_;
  VisualStyle style_;
  std::unique_ptr<TForm1> main_;
  std::unique_ptr<Taboutform> about_;
  std::unique_ptr<TFormDDE> dde_;
};

// Lets the windows handle whatever is waiting for them.
void Pump();

// A control's place in its parent's client area.
RECT RectInClient(HWND control);

}  // namespace talvorne::testing
