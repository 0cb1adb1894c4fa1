// A copy of a program started as a real child process from a folder of the test's own, found by
// its windows and always ended: a test never leaves it running.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace talvorne::testing {

using namespace std::chrono_literals;

// The folder of the running test program, where the build puts Talvorne.exe and the doubles.
std::filesystem::path TestProgramFolder();

// A new empty folder, removed with its contents when the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

class ChildProcess {
 public:
  // showCommand: how the program is asked to show its first window, as a shortcut would;
  // arguments: its command line after its own quoted path; currentFolder: the one it starts in,
  // its own by default.
  explicit ChildProcess(const std::filesystem::path& program,
                        std::optional<WORD> showCommand = std::nullopt,
                        const std::wstring& arguments = {},
                        const std::filesystem::path& currentFolder = {});
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();  // ends the process if it still runs

  DWORD Id() const { return information_.dwProcessId; }
  // The process's visible top-level window with that caption, waited for.
  HWND WaitForWindow(const std::wstring& caption, std::chrono::milliseconds timeout = 20s) const;
  // The exit code, once the process has ended within the time given.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = 20s) const;

 private:
  PROCESS_INFORMATION information_{};
};

// A visible top-level window with that caption, not a message box, waited for: of that process
// only when one is given.
HWND WaitForTopLevelWindow(const std::wstring& caption, std::optional<DWORD> processId,
                           std::chrono::milliseconds timeout = 20s);

// A control's text, read across processes.
std::wstring TextOf(HWND control);

}  // namespace talvorne::testing
