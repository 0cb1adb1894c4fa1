// The program's three windows, made in start-up's order (the main window, the about box, the DDE
// form) and destroyed in the reverse order; Form1, aboutform and FormDDE reach them while they
// live, and the main window owns the message boxes meanwhile.
#pragma once

#include <memory>
#include <optional>

#include "handoff/dde_instance.h"
#include "handoff/form_dde.h"
#include "shell/aboutform.h"
#include "shell/form1.h"
#include "shell/format_settings.h"
#include "win32/message_boxes.h"
#include "win32/visual_style.h"

namespace talvorne {

class ThreeWindows {
 public:
  // The windows keep references to the style, the settings and the DDE instance: these must
  // outlive them.
  ThreeWindows(HINSTANCE instance, const VisualStyle& style, const FormatSettings& settings,
               DdeInstance& dde);
  ThreeWindows(const ThreeWindows&) = delete;
  ThreeWindows& operator=(const ThreeWindows&) = delete;
  ~ThreeWindows();

 private:
  void ForgetGlobals();

  std::unique_ptr<TForm1> main_;
  std::unique_ptr<Taboutform> about_;
  std::unique_ptr<TFormDDE> dde_;
  std::optional<MessageBoxOwner> boxOwner_;  // last: it goes first, before the main window
};

}  // namespace talvorne
