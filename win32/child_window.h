// A child window of the program's own class, for a part of a window that no standard control
// draws, such as a plot: it paints the whole of its area itself, again whenever its size changes.
#pragma once

#include <windows.h>

#include "win32/window_object.h"

namespace talvorne {

class ChildWindow : public WindowObject {
 protected:
  ChildWindow() = default;

  // Creates it visible in the parent, at 0, 0 and without a size until the parent lays it out.
  void Create(HWND parent);
};

}  // namespace talvorne
