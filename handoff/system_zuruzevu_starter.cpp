#include "handoff/system_zuruzevu_starter.h"

#include <shellapi.h>

#include <optional>
#include <utility>

#include "win32/program_path.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

// The process's current folder is another one for as long as this lives, if it could be changed.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::wstring& folder)
      : previous_(GetCurrentDirectoryW(0, nullptr), L'\0') {
    const DWORD length =
        GetCurrentDirectoryW(static_cast<DWORD>(previous_.size()), previous_.data());
    previous_.resize(length < previous_.size() ? length : 0);  // empty: it could not be told
    changed_ = !previous_.empty() && SetCurrentDirectoryW(folder.c_str()) != FALSE;
  }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;
  ~CurrentFolder() {
    if (changed_) SetCurrentDirectoryW(previous_.c_str());
  }
  bool Changed() const { return changed_; }

 private:
  std::wstring previous_;
  bool changed_ = false;
};

}  // namespace

bool SystemZuruzevuStarter::ProbeSemaphore() {
  OwnedHandle probe(CreateSemaphoreW(nullptr, 0, 1, L"Zuruzevu"));
  const bool existed = probe && GetLastError() == ERROR_ALREADY_EXISTS;
  // One handle keeps the semaphore; those of later probes would only pile up.
  if (!semaphore_) semaphore_ = std::move(probe);
  return existed;
}

bool SystemZuruzevuStarter::ShellOpen(const std::wstring& program) {
  // The shell looks for a bare name in the current folder before any other, whatever
  // NoDefaultCurrentDirectoryInExePath says. For that start the current folder is the program's
  // own, where the lookup has already looked; Zuruzevu then starts in it.
  std::optional<CurrentFolder> programFolder;
  if (program.find_first_of(L"\\/:") == std::wstring::npos) {
    programFolder.emplace(ProgramFolder());
    if (!programFolder->Changed()) return false;
  }
  const HINSTANCE result =
      ShellExecuteW(nullptr, L"open", program.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
  // The shell's error codes go up to 32 (SE_ERR_DLLNOTFOUND).
  return reinterpret_cast<INT_PTR>(result) > 32;
}

std::optional<std::string> SystemZuruzevuStarter::AnsiText(std::wstring_view text) {
  bool inexact = false;
  std::string ansi = NarrowToAnsi(text, &inexact);
  if (inexact) return std::nullopt;
  return ansi;
}

bool SystemZuruzevuStarter::StartMinimised(const std::string& commandLine) {
  return WinExec(commandLine.c_str(), SW_SHOWMINNOACTIVE) >= 32;
}

void SystemZuruzevuStarter::Sleep(unsigned milliseconds) {
  ::Sleep(milliseconds);
}

}  // namespace talvorne
