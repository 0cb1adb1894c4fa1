#include "tests/wine/support/main_window_controls.h"

#include "resources/resource_ids.h"
#include "win32/control_layout.h"

namespace talvorne::testing {
namespace {

HWND ControlByLayout(const WindowDescription& layout, HWND window, const char* name) {
  const ControlDescription& control = layout.Control(name);
  const HWND parent =
      control.parent ? GetDlgItem(window, layout.controls[*control.parent].id) : window;
  return GetDlgItem(parent, control.id);
}

}  // namespace

HWND MainWindowControl(HWND window, const char* name) {
  static const WindowDescription layout = LoadLayout(GetModuleHandleW(nullptr), kForm1Layout);
  return ControlByLayout(layout, window, name);
}

void ClickAndWait(HWND window, const char* button) {
  const HWND control = MainWindowControl(window, button);
  DWORD_PTR result = 0;
  // Sent, not posted: the call returns when the handler has returned.
  SendMessageTimeoutW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                      reinterpret_cast<LPARAM>(control), SMTO_NORMAL, 60000, &result);
}

HWND AboutBoxControl(HWND window, const char* name) {
  static const WindowDescription layout = LoadLayout(GetModuleHandleW(nullptr), kAboutFormLayout);
  return ControlByLayout(layout, window, name);
}

}  // namespace talvorne::testing
