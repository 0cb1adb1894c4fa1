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

// A text as the stand-in logs it: UTF-8 with \r, \n, \t and \\ escaped.
std::string LoggedText(const std::wstring& text);
// The last table the copies in that folder took from the clipboard, as UTF-8; nothing if none.
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
