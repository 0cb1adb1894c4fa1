#include "shell/aboutform.h"

#include "shell/message_loop.h"
#include "shell/resource_ids.h"

namespace talvorne {

Taboutform* aboutform = nullptr;

Taboutform::Taboutform(HINSTANCE instance, const VisualStyle& style) : Window(style) {
  Create(instance, kAboutFormLayout, nullptr);
}

void Taboutform::ShowModal() {
  RunModal(Handle());
}

LRESULT Taboutform::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    Hide();
    return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace talvorne
