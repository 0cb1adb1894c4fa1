// The stand-in Zuruzevu in cross-process tests: copies placed in the tests' folders, what they
// logged there, and every instance ended when the test is over, whoever started it.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace talvorne::testing {

struct ZuruzevuEvent {
  DWORD tick = 0;  // GetTickCount's
  DWORD process = 0;
  std::string what;  // "execute CLIP|LOAD"...
};

// Copies the stand-in into the folder under that name, with its options (one per line).
std::filesystem::path PlaceStandInZuruzevu(const std::filesystem::path& folder,
                                           const std::string& options = {},
                                           const wchar_t* name = L"Zuruzevu.exe");

// What the copies in that folder logged, in order.
std::vector<ZuruzevuEvent> ZuruzevuLog(const std::filesystem::path& folder);
// The events alone, "<tick> <process>" left out.
std::vector<std::string> ZuruzevuEvents(const std::filesystem::path& folder);
// Waits until the copies in that folder have logged `count` events starting with that text.
bool WaitForZuruzevuEvent(const std::filesystem::path& folder, const std::string& prefix,
                          std::chrono::milliseconds timeout, std::size_t count = 1);

// The events of the copies in that folder, start lines kept, clipboard and register lines left
// out: the exchanges as Talvorne sees them.
std::vector<std::string> Exchange(const std::filesystem::path& folder);
// The tick of their first event starting with that text; 0 if none.
DWORD TickOf(const std::filesystem::path& folder, const std::string& prefix);

// One send of the table to a Zuruzevu that was already running, as Exchange shows it.
inline const std::vector<std::string> kSendToRunningZuruzevu = {
    "connect topic=ServeurDDE -> accepted",
    "advstart item=ServeurItem format=1 -> accepted",
    "request item=ServeurItem format=1",
    "execute CLIP|LOAD",
    "disconnect",
};

// The tables the copies in that folder took from the clipboard, in order, as UTF-8.
std::vector<std::string> TablesReceived(const std::filesystem::path& folder);
// The last of them; nothing if none.
std::optional<std::string> LastTableReceived(const std::filesystem::path& folder);

// Ends, when it goes, every stand-in running from these folders or showing its window.
class StandInZuruzevuReaper {
 public:
  explicit StandInZuruzevuReaper(std::vector<std::filesystem::path> folders)
      : folders_(std::move(folders)) {}
  StandInZuruzevuReaper(const StandInZuruzevuReaper&) = delete;
  StandInZuruzevuReaper& operator=(const StandInZuruzevuReaper&) = delete;
  ~StandInZuruzevuReaper();

 private:
  std::vector<std::filesystem::path> folders_;
};

}  // namespace talvorne::testing
