// The about box: created hidden at start-up, shown modally by the main window's "?" command, and
// hidden again, ready for the next time, when the user closes it.
#pragma once

#include "shell/window.h"

namespace talvorne {

class Taboutform : public Window {
 public:
  Taboutform(HINSTANCE instance, const VisualStyle& style);

  bool Showing() const { return IsWindowVisible(Handle()) != FALSE; }
  // Returns when the user has closed the box.
  void ShowModal();
  void Hide() { ShowWindow(Handle(), SW_HIDE); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

extern Taboutform* aboutform;

}  // namespace talvorne
