#include "tests/wine/support/main_window_controls.h"

#include "shell/control_layout.h"
#include "shell/resource_ids.h"

namespace talvorne::testing {
namespace {

const WindowDescription& MainLayout() {
  static const WindowDescription layout = LoadLayout(GetModuleHandleW(nullptr), kForm1Layout);
  return layout;
}

}  // namespace

HWND MainWindowControl(HWND window, const char* name) {
  const ControlDescription& control = MainLayout().Control(name);
  const HWND parent =
      control.parent ? GetDlgItem(window, MainLayout().controls[*control.parent].id) : window;
  return GetDlgItem(parent, control.id);
}

}  // namespace talvorne::testing
