// How the send starts Zuruzevu and waits for it: the presence probe, the two ways of starting a
// program, and plain sleeps.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvorne {

class ZuruzevuStarter {
 public:
  virtual ~ZuruzevuStarter() = default;
  // Creates or opens the semaphore "Zuruzevu", which a running Zuruzevu holds, and keeps it to the
  // end of the run; true when it existed before.
  virtual bool ProbeSemaphore() = 0;
  // Asks the shell to open the program with the default show state; true when it says it did.
  virtual bool ShellOpen(const std::wstring& program) = 0;
  // The text in the system's ANSI code page; nothing when a character has no exact equivalent.
  virtual std::optional<std::string> AnsiText(std::wstring_view text) = 0;
  // Starts a command line minimised, without taking the focus, and returns when the program first
  // waits for input (or the system gives up waiting); true when it started.
  virtual bool StartMinimised(const std::string& commandLine) = 0;
  virtual void Sleep(unsigned milliseconds) = 0;
};

}  // namespace talvorne
