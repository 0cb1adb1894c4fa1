#include "tests/wine/support/program_windows.h"

#include "shell/application.h"
#include "shell/message_loop.h"

namespace talvorne::testing {

namespace {

VisualStyle ProgramStyle() {
  InitialiseApplication();
  return std::move(*VisualStyle::Load(GetModuleHandleW(nullptr), "Iceberg Classico"));
}

}  // namespace

ProgramWindows::ProgramWindows(FormatSettings settings)
    : settings_(std::move(settings)), style_(ProgramStyle()) {
  main_ = std::make_unique<TForm1>(GetModuleHandleW(nullptr), style_, settings_);
  Form1 = main_.get();
  about_ =
      std::make_unique<Taboutform>(GetModuleHandleW(nullptr), style_, settings_, main_->Handle());
  aboutform = about_.get();
  dde_ = std::make_unique<TFormDDE>(GetModuleHandleW(nullptr), style_, ddeInstance_);
  FormDDE = dde_.get();
  ShowWindow(main_->Handle(), SW_SHOWNORMAL);
  SetForegroundWindow(main_->Handle());
  Pump();
}

ProgramWindows::~ProgramWindows() {
  FormDDE = nullptr;
  dde_.reset();
  aboutform = nullptr;
  about_.reset();
  Form1 = nullptr;
  main_.reset();
  // A close posts the end of the message loop; it must not reach the next test.
  MSG quit;
  while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

void Pump() {
  ProcessPendingMessages();
}

RECT RectInClient(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace talvorne::testing
