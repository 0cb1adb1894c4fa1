#include "shell/form1.h"

#include "shell/aboutform.h"
#include "shell/guarded_call.h"
#include "shell/resource_ids.h"

namespace talvorne {

TForm1* Form1 = nullptr;

namespace {

// Debug mode's and normal mode's outer widths, frame included; applied as they stand, unscaled.
constexpr int kDebugWidth = 844;
constexpr int kNormalWidth = 200;

}  // namespace

TForm1::TForm1(HINSTANCE instance, const VisualStyle& style, const FormatSettings& settings)
    : Window(style), settings_(settings) {
  Create(instance, kForm1Layout, LoadMenuW(instance, kMainMenuResource));
  BindControls();
  RunGuarded([this] { FormCreate(); });
}

void TForm1::BindControls() {
  const ControlLayout& layout = Layout();
  ProgressBar1 = ProgressBar(layout.Control("ProgressBar1"));
  Button3 = Button(layout.Control("Button3"));
  Button4 = Button(layout.Control("Button4"));
  Button5 = Button(layout.Control("Button5"));
  Label8 = Label(layout.Control("Label8"));
  Label9 = Label(layout.Control("Label9"));
  RichEdit1 = RichEdit(layout.Control("RichEdit1"));
  RichEdit2 = RichEdit(layout.Control("RichEdit2"));
  RichEdit3 = RichEdit(layout.Control("RichEdit3"));
  Memo1 = Memo(layout.Control("Memo1"));
  GroupBox1 = GroupBox(layout.Control("GroupBox1"));
  Label1 = Label(layout.Control("Label1"));
  Label2 = Label(layout.Control("Label2"));
  Label3 = Label(layout.Control("Label3"));
  Label4 = Label(layout.Control("Label4"));
  Label5 = Label(layout.Control("Label5"));
  Label6 = Label(layout.Control("Label6"));
  Label7 = Label(layout.Control("Label7"));
}

void TForm1::FormCreate() {
  // Before the first acquisition the table holds the two-channel header.
  Memo1.Clear();
  Memo1.AppendLine("t\tU1\tU2");
  Memo1.AppendLine("s\tmV\tmV");
  ProgressBar1.SetVisible(false);
}

void TForm1::FormClose() {}

void TForm1::Button3Click() {}

void TForm1::Button4Click() {}

void TForm1::Button5Click() {}

void TForm1::N1Click() {
  if (aboutform->Showing()) {
    aboutform->Hide();
  } else {
    aboutform->ShowModal();
  }
}

void TForm1::On1Click() {
  SetOuterWidth(kDebugWidth);
  ShowDebugPanel(true);
}

void TForm1::Off1Click() {
  SetOuterWidth(kNormalWidth);
  ShowDebugPanel(false);
}

void TForm1::SetOuterWidth(int width) {
  RECT frame;
  GetWindowRect(Handle(), &frame);
  SetWindowPos(Handle(), nullptr, 0, 0, width, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::ShowDebugPanel(bool visible) {
  for (const Control& control : {Control(GroupBox1), Control(RichEdit1), Control(RichEdit2),
                                 Control(RichEdit3), Control(Memo1)}) {
    control.SetVisible(visible);
  }
}

void TForm1::OnCommand(WPARAM wParam, LPARAM lParam) {
  const auto source = reinterpret_cast<HWND>(lParam);
  if (source == nullptr) {
    switch (LOWORD(wParam)) {
      case IDM_DEBUG_ON:
        return On1Click();
      case IDM_DEBUG_OFF:
        return Off1Click();
      case IDM_ABOUT:
        return N1Click();
    }
    return;
  }
  if (HIWORD(wParam) != BN_CLICKED) return;
  if (source == Button3.Handle()) return Button3Click();
  if (source == Button4.Handle()) return Button4Click();
  if (source == Button5.Handle()) return Button5Click();
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_CLOSE:
      // The close is never refused: the windows go once the message loop has ended.
      RunGuarded([this] { FormClose(); });
      ShowWindow(Handle(), SW_HIDE);
      PostQuitMessage(0);
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace talvorne
