#include "handoff/system_zuruzevu_starter.h"

#include <shellapi.h>

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
  if (text.empty()) return std::string();
  // No best-fit substitutes: "ł" written as "l" could name another program. A UTF-8 code page
  // represents everything and takes neither the flag nor the question.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL substituted = FALSE;
  BOOL* const asked = utf8 ? nullptr : &substituted;
  const int units = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(CP_ACP, flags, text.data(), units, nullptr, 0, nullptr, asked);
  if (size <= 0) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), units, ansi.data(), size, nullptr, asked);
  if (substituted) return std::nullopt;
  return ansi;
}

bool SystemZuruzevuStarter::StartMinimised(const std::string& commandLine) {
  return WinExec(commandLine.c_str(), SW_SHOWMINNOACTIVE) >= 32;
}

void SystemZuruzevuStarter::Sleep(unsigned milliseconds) {
  ::Sleep(milliseconds);
}

}  // namespace talvorne
