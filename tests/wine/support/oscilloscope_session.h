// Talvorne.exe run as a child process from a folder of its own, beside the fake libusb0.dll and
// the scenario that drives it, with every message box it shows answered and recorded.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/fake_usb_scenario.h"
#include "tests/wine/support/box_watcher.h"
#include "tests/wine/support/child_process.h"

namespace talvorne::testing {

class OscilloscopeSession {
 public:
  // Without a scenario the folder holds no libusb0.dll at all: the driver is missing.
  // beforeStart may put more files into the program's folder before it starts; the program starts
  // in currentFolder, or in its own.
  explicit OscilloscopeSession(
      const FakeUsbScenario* scenario,
      const std::function<void(const std::filesystem::path& folder)>& beforeStart = {},
      const std::filesystem::path& currentFolder = {});

  const std::filesystem::path& Folder() const { return folder_.Path(); }
  HWND Window() const { return window_; }
  HWND Control(const char* name) const;
  std::wstring Text(const char* name) const;
  bool Enabled(const char* name) const;

  // Clicks a command as the user would and returns once its handler has run, message boxes
  // included (they are answered with their first button).
  void Click(const char* button) const;
  // Clicks without waiting for the handler.
  void PostClick(const char* button) const;

  std::vector<std::string> UsbLog() const { return ReadFakeUsbLog(folder_.Path()); }
  std::vector<SeenBox> Boxes() const { return boxes_->Boxes(); }
  // Closes the main window and returns the exit code.
  std::optional<DWORD> Close() const;

 private:
  ScratchFolder folder_;
  std::unique_ptr<ChildProcess> process_;
  std::unique_ptr<BoxWatcher> boxes_;
  HWND window_ = nullptr;
};

}  // namespace talvorne::testing
