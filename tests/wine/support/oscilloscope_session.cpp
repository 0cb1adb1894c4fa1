#include "tests/wine/support/oscilloscope_session.h"

#include <stdexcept>

#include "tests/wine/support/main_window_controls.h"
#include "tests/wine/support/program_copy.h"

namespace talvorne::testing {

OscilloscopeSession::OscilloscopeSession(
    const FakeUsbScenario* scenario,
    const std::function<void(const std::filesystem::path& folder)>& beforeStart,
    const std::filesystem::path& currentFolder) {
  const std::filesystem::path program = CopyProgramInto(folder_.Path());
  if (scenario != nullptr) {
    std::filesystem::copy_file(TestProgramFolder() / L"fake_oscilloscope" / L"libusb0.dll",
                               folder_.Path() / L"libusb0.dll");
    scenario->WriteTo(folder_.Path());
  }
  if (beforeStart) beforeStart(folder_.Path());
  process_ = std::make_unique<ChildProcess>(program, std::nullopt, std::wstring(), currentFolder);
  boxes_ = std::make_unique<BoxWatcher>(process_->Id());
  window_ = process_->WaitForWindow(L"Talvorne");
  if (window_ == nullptr) throw std::runtime_error("Talvorne's main window did not appear");
}

HWND OscilloscopeSession::Control(const char* name) const {
  return MainWindowControl(window_, name);
}

std::wstring OscilloscopeSession::Text(const char* name) const {
  return TextOf(Control(name));
}

bool OscilloscopeSession::Enabled(const char* name) const {
  return IsWindowEnabled(Control(name)) != FALSE;
}

void OscilloscopeSession::Click(const char* button) const {
  const HWND control = Control(button);
  if (!IsWindowEnabled(control)) throw std::logic_error(std::string(button) + " is disabled");
  ClickAndWait(window_, button);
}

void OscilloscopeSession::PostClick(const char* button) const {
  const HWND control = Control(button);
  PostMessageW(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
               reinterpret_cast<LPARAM>(control));
}

std::optional<DWORD> OscilloscopeSession::Close() const {
  PostMessageW(window_, WM_CLOSE, 0, 0);
  return process_->WaitForExit();
}

}  // namespace talvorne::testing
