// The hourglass while a command works without handling messages; the default cursor comes back
// however the command ends.
#pragma once

#include <windows.h>

namespace talvorne {

class HourglassCursor {
 public:
  HourglassCursor() { SetCursor(LoadCursorW(nullptr, IDC_WAIT)); }
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;
  ~HourglassCursor() { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }
};

}  // namespace talvorne
