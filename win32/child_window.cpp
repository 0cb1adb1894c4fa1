#include "win32/child_window.h"

namespace talvorne {

void ChildWindow::Create(HWND parent) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  // No background brush: the window paints every pixel.
  CreateOfClass(instance, {L"TalvorneChildWindow", CS_HREDRAW | CS_VREDRAW}, L"",
                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, parent, nullptr);
}

}  // namespace talvorne
