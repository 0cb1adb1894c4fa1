#include "tests/wine/support/child_process.h"

#include <stdexcept>

namespace talvorne::testing {

std::filesystem::path TestProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

ScratchFolder::ScratchFolder() {
  static int counter = 0;
  path_ = std::filesystem::temp_directory_path() /
          (L"talvorne-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter));
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ChildProcess::ChildProcess(const std::filesystem::path& program, std::optional<WORD> showCommand,
                           const std::wstring& arguments,
                           const std::filesystem::path& currentFolder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (showCommand) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = *showCommand;
  }
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  const std::filesystem::path folder =
      currentFolder.empty() ? program.parent_path() : currentFolder;
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &information_)) {
    throw std::runtime_error("CreateProcess failed: " + std::to_string(GetLastError()));
  }
}

ChildProcess::~ChildProcess() {
  if (WaitForSingleObject(information_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(information_.hProcess, 99);
    WaitForSingleObject(information_.hProcess, 5000);
  }
  CloseHandle(information_.hThread);
  CloseHandle(information_.hProcess);
}

namespace {

struct WindowSearch {
  std::optional<DWORD> processId;
  const std::wstring* caption;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM search) {
  auto& wanted = *reinterpret_cast<WindowSearch*>(search);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (wanted.processId.value_or(processId) != processId || !IsWindowVisible(window)) return TRUE;
  // A message box may bear the program's name as its caption.
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring_view(className) == L"#32770") return TRUE;
  if (TextOf(window) != *wanted.caption) return TRUE;
  wanted.found = window;
  return FALSE;
}

}  // namespace

HWND WaitForTopLevelWindow(const std::wstring& caption, std::optional<DWORD> processId,
                           std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  do {
    WindowSearch search{processId, &caption};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    Sleep(50);
  } while (std::chrono::steady_clock::now() < deadline);
  return nullptr;
}

HWND ChildProcess::WaitForWindow(const std::wstring& caption,
                                 std::chrono::milliseconds timeout) const {
  return WaitForTopLevelWindow(caption, Id(), timeout);
}

std::optional<DWORD> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) const {
  if (WaitForSingleObject(information_.hProcess, static_cast<DWORD>(timeout.count())) !=
      WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(information_.hProcess, &code);
  return code;
}

std::wstring TextOf(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, 5000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_BLOCK, 5000, &copied);
  text.resize(copied);
  return text;
}

}  // namespace talvorne::testing
