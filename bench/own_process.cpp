#include "bench/own_process.h"

#include <cstdio>
#include <cstdlib>

namespace talvorne::bench {

DWORD RunThisProgramAgain(const std::wstring& arguments, DWORD deadlineMs) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" " + arguments;
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  SetHandleInformation(output, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = output;
  PROCESS_INFORMATION child{};
  std::fflush(stdout);
  if (!CreateProcessW(self, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &child)) {
    std::printf("  could not start the measuring process (error %lu)\n", GetLastError());
    return EXIT_FAILURE;
  }
  if (WaitForSingleObject(child.hProcess, deadlineMs) == WAIT_TIMEOUT) {
    TerminateProcess(child.hProcess, STILL_ACTIVE);
    WaitForSingleObject(child.hProcess, INFINITE);
  }
  DWORD exitCode = EXIT_FAILURE;
  GetExitCodeProcess(child.hProcess, &exitCode);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return exitCode;
}

}  // namespace talvorne::bench
