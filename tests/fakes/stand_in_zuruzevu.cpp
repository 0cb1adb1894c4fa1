// The stand-in Zuruzevu: a small windowed program, put in place of the analysis program as
// Zuruzevu.exe, that plays its part of the hand-off. While it runs it holds the semaphore
// "Zuruzevu" and serves DDE service "Zuruzevu", topic "ServeurDDE" (in any case); its window shows
// the last table it took from the clipboard.
//
// Log: zuruzevu_log.txt beside the executable, appended by every instance started from that
// folder, one line per event: "<tick> <pid> <event>", the tick being GetTickCount's.
//   start show=N                        the show state it was started with (-1: none given)
//   register                            its service name is registered
//   connect topic=T -> accepted|refused|ignored
//   advstart item=I format=F -> accepted|refused
//   request item=I format=F
//   execute TEXT
//   clipboard TEXT                      the clipboard's Unicode text, read after an execute
//   disconnect
//   quit
// TEXT is UTF-8 with \r, \n, \t and \\ escaped, so one event stays on one line.
//
// Options: zuruzevu_options.txt beside the executable, one per line:
//   refuse_advise       refuses the advise start of any item
//   ignore_connects N   answers late: the first N connection requests go unanswered
//   never_register      never registers its service name, as a program that is no DDE server
//   quit_after N        ends after its Nth execute, once it has read the clipboard and the
//                       conversation is over
#include <windows.h>

#include <ddeml.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/stand_in_zuruzevu_files.h"
#include "win32/program_path.h"
#include "win32/text_encoding.h"

namespace {

using talvorne::testing::EscapedForLog;
using talvorne::testing::kZuruzevuLogFile;
using talvorne::testing::kZuruzevuOptionsFile;
using talvorne::testing::kZuruzevuWindowClass;

constexpr UINT kReadClipboard = WM_APP;

std::filesystem::path Folder() {
  return std::filesystem::path(talvorne::ProgramPath()).parent_path();
}

struct Options {
  bool refuseAdvise = false;
  int ignoreConnects = 0;
  bool neverRegister = false;
  int quitAfter = 0;  // 0: never
};

Options ReadOptions() {
  Options options;
  std::ifstream file(Folder() / kZuruzevuOptionsFile);
  for (std::string line; std::getline(file, line);) {
    std::istringstream words(line);
    std::string option;
    words >> option;
    if (option == "refuse_advise") options.refuseAdvise = true;
    if (option == "ignore_connects") words >> options.ignoreConnects;
    if (option == "never_register") options.neverRegister = true;
    if (option == "quit_after") words >> options.quitAfter;
  }
  return options;
}

// Each line in one write, so that instances sharing the file never mix their lines.
void Log(const std::string& event) {
  const std::string line = std::to_string(GetTickCount()) + " " +
                           std::to_string(GetCurrentProcessId()) + " " + event + "\r\n";
  const HANDLE file = CreateFileW((Folder() / kZuruzevuLogFile).c_str(), FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

class StandIn {
 public:
  Options options = ReadOptions();
  DWORD dde = 0;
  HSZ service = nullptr;
  HWND window = nullptr;
  HWND received = nullptr;
  int executes = 0;
  int conversations = 0;
  bool clipboardPending = false;

  // The last command is done with once its table is read and its sender gone.
  void QuitWhenDone() {
    if (options.quitAfter > 0 && executes >= options.quitAfter && conversations == 0 &&
        !clipboardPending) {
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
  }

  std::string Text(HSZ handle) const {
    char text[256] = {};
    DdeQueryStringA(dde, handle, text, sizeof text, CP_WINANSI);
    return text;
  }

  HDDEDATA Answer(UINT type, UINT format, HSZ hsz1, HSZ hsz2, HDDEDATA data) {
    switch (type) {
      case XTYP_CONNECT: {
        const std::string topic = Text(hsz1);
        const char* outcome = "accepted";
        if (lstrcmpiA(topic.c_str(), "ServeurDDE") != 0) {
          outcome = "refused";
        } else if (options.ignoreConnects > 0) {
          --options.ignoreConnects;
          outcome = "ignored";
        }
        Log("connect topic=" + topic + " -> " + outcome);
        return reinterpret_cast<HDDEDATA>(static_cast<INT_PTR>(outcome[0] == 'a'));
      }
      case XTYP_CONNECT_CONFIRM:
        ++conversations;
        return nullptr;
      case XTYP_ADVSTART:
        Log("advstart item=" + Text(hsz2) + " format=" + std::to_string(format) + " -> " +
            (options.refuseAdvise ? "refused" : "accepted"));
        return reinterpret_cast<HDDEDATA>(static_cast<INT_PTR>(!options.refuseAdvise));
      case XTYP_REQUEST: {
        Log("request item=" + Text(hsz2) + " format=" + std::to_string(format));
        static const char kValue[] = "1";
        return DdeCreateDataHandle(dde, reinterpret_cast<BYTE*>(const_cast<char*>(kValue)),
                                   sizeof kValue, 0, hsz2, format, 0);
      }
      case XTYP_EXECUTE: {
        std::string command(DdeGetData(data, nullptr, 0, 0), '\0');
        DdeGetData(data, reinterpret_cast<BYTE*>(command.data()),
                   static_cast<DWORD>(command.size()), 0);
        command.resize(command.find('\0') == std::string::npos ? command.size()
                                                               : command.find('\0'));
        Log("execute " + EscapedForLog(command));
        ++executes;
        clipboardPending = true;
        // Read once answered: reading it here would hold up the sender, who is already leaving.
        PostMessageW(window, kReadClipboard, 0, 0);
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
      }
      case XTYP_DISCONNECT:
        Log("disconnect");
        --conversations;
        QuitWhenDone();
        return nullptr;
      default:
        return nullptr;
    }
  }

  void ReadClipboard() {
    std::wstring text;
    bool opened = false;
    for (int attempt = 0; attempt < 100 && !(opened = OpenClipboard(window)); ++attempt) Sleep(20);
    if (!opened) {
      Log("clipboard unavailable");
    } else {
      if (const HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* data = static_cast<const wchar_t*>(GlobalLock(block))) {
          text = data;
          GlobalUnlock(block);
        }
      }
      CloseClipboard();
      Log("clipboard " + EscapedForLog(talvorne::Narrow(text)));
      SetWindowTextW(received, text.c_str());
    }
    clipboardPending = false;
    QuitWhenDone();
  }
};

StandIn* standIn = nullptr;

HDDEDATA CALLBACK DdeCallback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                              ULONG_PTR, ULONG_PTR) {
  return standIn->Answer(type, format, hsz1, hsz2, data);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kReadClipboard:
      standIn->ReadClipboard();
      return 0;
    case WM_SIZE:
      MoveWindow(standIn->received, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND CreateMainWindow(HINSTANCE instance, int showCommand) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kZuruzevuWindowClass;
  RegisterClassW(&windowClass);
  const HWND window =
      CreateWindowExW(0, kZuruzevuWindowClass, L"Zuruzevu (simulé)", WS_OVERLAPPEDWINDOW,
                      CW_USEDEFAULT, CW_USEDEFAULT, 420, 300, nullptr, nullptr, instance, nullptr);
  standIn->window = window;
  standIn->received =
      CreateWindowExW(0, L"EDIT", L"Le tableau reçu s'affichera ici.",
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, 0, 0, 0,
                      window, nullptr, instance, nullptr);
  ShowWindow(window, showCommand);
  return window;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  Log("start show=" +
      std::to_string((startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1));
  const HANDLE semaphore = CreateSemaphoreW(nullptr, 0, 1, L"Zuruzevu");

  StandIn state;
  standIn = &state;
  CreateMainWindow(instance, showCommand);
  DdeInitializeA(&state.dde, DdeCallback,
                 APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0);
  state.service = DdeCreateStringHandleA(state.dde, "Zuruzevu", CP_WINANSI);
  // Registered before the first wait for input, so that whoever started it finds it then.
  if (!state.options.neverRegister &&
      DdeNameService(state.dde, state.service, nullptr, DNS_REGISTER) != nullptr) {
    Log("register");
  }

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DdeNameService(state.dde, nullptr, nullptr, DNS_UNREGISTER);
  DdeFreeStringHandle(state.dde, state.service);
  DdeUninitialize(state.dde);
  CloseHandle(semaphore);
  Log("quit");
  return 0;
}
