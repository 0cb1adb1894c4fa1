#include "handoff/system_zuruzevu_starter.h"

#include <shellapi.h>

#include "win32/text_encoding.h"

namespace talvorne {

SystemZuruzevuStarter::~SystemZuruzevuStarter() {
  if (semaphore_ != nullptr) CloseHandle(semaphore_);
}

bool SystemZuruzevuStarter::ProbeSemaphore() {
  const HANDLE probe = CreateSemaphoreW(nullptr, 0, 1, L"Zuruzevu");
  const bool existed = probe != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  // One handle keeps the semaphore; those of later probes would only pile up.
  if (semaphore_ == nullptr) {
    semaphore_ = probe;
  } else if (probe != nullptr) {
    CloseHandle(probe);
  }
  return existed;
}

bool SystemZuruzevuStarter::ShellOpen(const std::wstring& program) {
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
