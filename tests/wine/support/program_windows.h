// The program's windows made in this test process as start-up makes them, for in-process tests.
#pragma once

#include <string>

#include "handoff/dde_instance.h"
#include "shell/three_windows.h"

namespace talvorne::testing {

class ProgramWindows {
 public:
  explicit ProgramWindows(FormatSettings settings = {});
  ~ProgramWindows();

  TForm1& Main() { return *Form1; }
  Taboutform& About() { return *aboutform; }
  TFormDDE& Dde() { return *FormDDE; }

 private:
  FormatSettings settings_;
  DdeInstance ddeInstance_;
  VisualStyle style_;
  ThreeWindows windows_;
};

// Lets the windows handle whatever is waiting for them.
void Pump();

// A control's place in its parent's client area.
RECT RectInClient(HWND control);

// The Unicode text on the clipboard, asked for again while another program holds it.
std::wstring ClipboardText();
void EmptyTheClipboard();

// The key as the keyboard brings it to the control with the focus, Ctrl held or not, through the
// program's message loop.
void PressKey(HWND focus, WPARAM key, bool withCtrl = false);

}  // namespace talvorne::testing
