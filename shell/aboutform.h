// The about box: created hidden at start-up, shown modally by the main window's "?" command, and
// hidden again, ready for the next time, when the user closes it. Each time it becomes active it
// shows the date and the version of the program's file.
#pragma once

#include <stdexcept>
#include <string>

#include "shell/format_settings.h"
#include "win32/controls.h"
#include "win32/message_loop.h"
#include "win32/window.h"

namespace talvorne {

// The runtime's error for a read where there is nothing to read: a program file without version
// information is reported with it.
class EAccessViolation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Taboutform : public Window {
 public:
  // owner: the main window, which the box keeps disabled while it is up.
  Taboutform(HINSTANCE instance, const VisualStyle& style, const FormatSettings& settings,
             HWND owner);

  Control Image1, Label1;
  Label versionlabel, Datelabel, Label2;

  bool Showing() const { return IsWindowVisible(Handle()) != FALSE; }
  // Returns when the user has closed the box.
  void ShowModal();
  void Hide() { EndModal(Handle()); }

  void FormActivate();
  void Label2Click();
  // The program file's version, "1.0.0.4"; EAccessViolation when the file has none.
  std::string VersionFichier() const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  const FormatSettings& settings_;
};

extern Taboutform* aboutform;

}  // namespace talvorne
