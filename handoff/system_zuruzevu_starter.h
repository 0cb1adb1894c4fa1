// Starting Zuruzevu with the system's own means: its semaphore, the shell, WinExec and Sleep.
#pragma once

#include <windows.h>

#include "handoff/zuruzevu_starter.h"
#include "win32/owned_handles.h"

namespace talvorne {

class SystemZuruzevuStarter final : public ZuruzevuStarter {
 public:
  bool ProbeSemaphore() override;
  bool ShellOpen(const std::wstring& program) override;
  std::optional<std::string> AnsiText(std::wstring_view text) override;
  bool StartMinimised(const std::string& commandLine) override;
  void Sleep(unsigned milliseconds) override;

 private:
  OwnedHandle semaphore_;  // held from the first probe that obtains it to the end of the run
};

}  // namespace talvorne
