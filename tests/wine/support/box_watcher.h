// Watches, from a thread of its own, for the modal message boxes of a process: records what each
// one says and presses one of its buttons, so that a test can run code that shows boxes.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace talvorne::testing {

struct SeenBox {
  std::wstring caption;
  std::wstring text;
  std::vector<std::wstring> buttons;
  bool hasIcon = false;
  RECT frame{};
  HWND owner = nullptr;
  bool ownerEnabled = false;  // while the box was up
};

class BoxWatcher {
 public:
  // Fills in and answers a dialog itself, returning true, or leaves it to the first button.
  using Answer = std::function<bool(HWND box)>;

  // Answers every box of that process (this one by default) by pressing its first button, once
  // it has been up for answerAfter, unless `answer` answers it.
  explicit BoxWatcher(DWORD processId = GetCurrentProcessId(),
                      std::chrono::milliseconds answerAfter = std::chrono::milliseconds(0),
                      Answer answer = {});
  BoxWatcher(const BoxWatcher&) = delete;
  BoxWatcher& operator=(const BoxWatcher&) = delete;
  ~BoxWatcher();

  // The boxes answered so far.
  std::vector<SeenBox> Boxes() const;
  // Waits until at least `count` boxes have been answered, or the time is up.
  std::vector<SeenBox> WaitFor(std::size_t count, std::chrono::milliseconds timeout) const;

 private:
  void Watch();

  DWORD processId_;
  std::chrono::milliseconds answerAfter_;
  Answer answer_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<SeenBox> boxes_;
  std::vector<HWND> answered_;
  std::thread thread_;
};

// What the user does in the Save dialog, as a BoxWatcher's answer: picks a type, counted from 1 in
// the dialog's list, then types a name (a bare one lands in the folder the dialog opened in), or
// keeps the one shown when given none. Any other box is left to the watcher.
struct SaveDialogUser {
  std::wstring name;
  int type = 1;
  std::wstring proposed;            // the name the dialog came up with
  std::wstring shown;               // the name in the box once the type was picked
  std::vector<std::wstring> types;  // the dialog's list

  void Will(std::wstring typed, int chosen) {
    name = std::move(typed);
    type = chosen;
  }

  bool Answer(HWND box);
};

}  // namespace talvorne::testing
