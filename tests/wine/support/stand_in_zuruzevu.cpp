#include "tests/wine/support/stand_in_zuruzevu.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "tests/support/stand_in_zuruzevu_files.h"
#include "tests/wine/support/child_process.h"

namespace talvorne::testing {

std::filesystem::path PlaceStandInZuruzevu(const std::filesystem::path& folder,
                                           const std::string& options, const wchar_t* name) {
  std::filesystem::create_directories(folder);
  const std::filesystem::path copy = folder / name;
  std::filesystem::copy_file(TestProgramFolder() / L"stand_in_zuruzevu" / L"Zuruzevu.exe", copy,
                             std::filesystem::copy_options::overwrite_existing);
  std::ofstream(folder / kZuruzevuOptionsFile, std::ios::trunc) << options;
  return copy;
}

std::vector<ZuruzevuEvent> ZuruzevuLog(const std::filesystem::path& folder) {
  std::vector<ZuruzevuEvent> events;
  std::ifstream log(folder / kZuruzevuLogFile);
  for (std::string line; std::getline(log, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    ZuruzevuEvent event;
    fields >> event.tick >> event.process;
    fields.get();
    std::getline(fields, event.what);
    events.push_back(event);
  }
  return events;
}

std::vector<std::string> ZuruzevuEvents(const std::filesystem::path& folder) {
  std::vector<std::string> events;
  for (const ZuruzevuEvent& event : ZuruzevuLog(folder)) events.push_back(event.what);
  return events;
}

bool WaitForZuruzevuEvent(const std::filesystem::path& folder, const std::string& prefix,
                          std::chrono::milliseconds timeout, std::size_t count) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  do {
    const auto events = ZuruzevuEvents(folder);
    const auto seen = std::count_if(events.begin(), events.end(), [&](const std::string& event) {
      return event.rfind(prefix, 0) == 0;
    });
    if (static_cast<std::size_t>(seen) >= count) return true;
    Sleep(50);
  } while (std::chrono::steady_clock::now() < deadline);
  return false;
}

std::vector<std::string> Exchange(const std::filesystem::path& folder) {
  std::vector<std::string> events;
  for (std::string event : ZuruzevuEvents(folder)) {
    if (event.rfind("clipboard", 0) != 0 && event != "register") events.push_back(event);
  }
  return events;
}

DWORD TickOf(const std::filesystem::path& folder, const std::string& prefix) {
  for (const ZuruzevuEvent& event : ZuruzevuLog(folder)) {
    if (event.what.rfind(prefix, 0) == 0) return event.tick;
  }
  return 0;
}

std::vector<std::string> TablesReceived(const std::filesystem::path& folder) {
  constexpr std::string_view kClipboard = "clipboard ";
  std::vector<std::string> tables;
  for (const std::string& event : ZuruzevuEvents(folder)) {
    if (event.rfind(kClipboard, 0) != 0) continue;
    std::string table;
    const std::string_view logged = std::string_view(event).substr(kClipboard.size());
    for (std::size_t i = 0; i < logged.size(); ++i) {
      if (logged[i] != '\\' || i + 1 == logged.size()) {
        table += logged[i];
        continue;
      }
      const char escaped = logged[++i];
      table += escaped == 'r' ? '\r' : escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
    }
    tables.push_back(std::move(table));
  }
  return tables;
}

std::optional<std::string> LastTableReceived(const std::filesystem::path& folder) {
  std::vector<std::string> tables = TablesReceived(folder);
  if (tables.empty()) return std::nullopt;
  return std::move(tables.back());
}

namespace {

BOOL CALLBACK CollectStandIn(HWND window, LPARAM processes) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (std::wstring_view(name) == kZuruzevuWindowClass) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    reinterpret_cast<std::set<DWORD>*>(processes)->insert(process);
  }
  return TRUE;
}

std::filesystem::path ImageFolder(DWORD id) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (process == nullptr) return {};
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  const bool known = QueryFullProcessImageNameW(process, 0, path, &size) != FALSE;
  CloseHandle(process);
  return known ? std::filesystem::path(path).parent_path() : std::filesystem::path();
}

}  // namespace

StandInZuruzevuReaper::~StandInZuruzevuReaper() {
  std::set<DWORD> processes;
  EnumWindows(CollectStandIn, reinterpret_cast<LPARAM>(&processes));
  for (const std::filesystem::path& folder : folders_) {
    for (const ZuruzevuEvent& event : ZuruzevuLog(folder)) {
      // A process that has ended may have lent its number to another one: only copies in the
      // folder are ended.
      std::error_code unknown;
      if (std::filesystem::equivalent(ImageFolder(event.process), folder, unknown)) {
        processes.insert(event.process);
      }
    }
  }
  for (DWORD id : processes) {
    if (const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
      TerminateProcess(process, 0);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
}

}  // namespace talvorne::testing
