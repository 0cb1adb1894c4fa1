#include "tests/wine/support/box_watcher.h"

#include <dlgs.h>

#include <algorithm>
#include <utility>

#include "tests/wine/support/child_process.h"

namespace talvorne::testing {
namespace {

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  // SendMessageTimeout: the box's thread may be busy; a test must never hang on it.
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                      &length);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

struct Candidates {
  DWORD processId;
  std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBox(HWND window, LPARAM candidates) {
  auto& wanted = *reinterpret_cast<Candidates*>(candidates);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == wanted.processId && IsWindowVisible(window) && ClassOf(window) == L"#32770") {
    wanted.boxes.push_back(window);
  }
  return TRUE;
}

struct Reading {
  SeenBox box;
  HWND firstButton = nullptr;
};

BOOL CALLBACK ReadChild(HWND child, LPARAM reading) {
  auto& read = *reinterpret_cast<Reading*>(reading);
  if (!IsWindowVisible(child)) return TRUE;
  const std::wstring kind = ClassOf(child);
  if (_wcsicmp(kind.c_str(), L"Button") == 0) {
    read.box.buttons.push_back(WindowText(child));
    if (read.firstButton == nullptr) read.firstButton = child;
  } else if (_wcsicmp(kind.c_str(), L"Static") == 0) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      read.box.hasIcon = read.box.hasIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
    } else if (const std::wstring text = WindowText(child); !text.empty()) {
      read.box.text = text;
    }
  }
  return TRUE;
}

}  // namespace

BoxWatcher::BoxWatcher(DWORD processId, std::chrono::milliseconds answerAfter, Answer answer)
    : processId_(processId),
      answerAfter_(answerAfter),
      answer_(std::move(answer)),
      thread_([this] { Watch(); }) {}

BoxWatcher::~BoxWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<SeenBox> BoxWatcher::Boxes() const {
  std::lock_guard lock(mutex_);
  return boxes_;
}

std::vector<SeenBox> BoxWatcher::WaitFor(std::size_t count,
                                         std::chrono::milliseconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (Boxes().size() >= count) break;
    Sleep(20);
  }
  return Boxes();
}

void BoxWatcher::Watch() {
  while (!stop_) {
    Candidates candidates{processId_, {}};
    EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&candidates));
    for (HWND box : candidates.boxes) {
      {
        std::lock_guard lock(mutex_);
        if (std::find(answered_.begin(), answered_.end(), box) != answered_.end()) continue;
      }
      Sleep(50);  // let the box finish laying itself out
      Reading reading;
      reading.box.caption = WindowText(box);
      GetWindowRect(box, &reading.box.frame);
      reading.box.owner = GetWindow(box, GW_OWNER);
      reading.box.ownerEnabled = IsWindowEnabled(reading.box.owner) != FALSE;
      EnumChildWindows(box, ReadChild, reinterpret_cast<LPARAM>(&reading));
      if (reading.firstButton == nullptr) continue;
      Sleep(static_cast<DWORD>(answerAfter_.count()));
      {
        std::lock_guard lock(mutex_);
        answered_.push_back(box);
        boxes_.push_back(reading.box);
      }
      if (answer_ && answer_(box)) continue;
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(reading.firstButton), BN_CLICKED),
                   reinterpret_cast<LPARAM>(reading.firstButton));
    }
    Sleep(20);
  }
}

bool SaveDialogUser::Answer(HWND box) {
  const HWND list = GetDlgItem(box, cmb1);
  if (list == nullptr) return false;
  const HWND edit =
      FindWindowExW(FindWindowExW(GetDlgItem(box, cmb13), nullptr, L"ComboBox", nullptr), nullptr,
                    L"Edit", nullptr);
  proposed = TextOf(edit);
  types.clear();
  const auto count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t item[256] = {};
    if (SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 256) {
      SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    }
    types.emplace_back(item);
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(type - 1), 0);
  SendMessageW(box, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
  shown = TextOf(edit);
  if (!name.empty()) SetWindowTextW(edit, name.c_str());
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  return true;
}

}  // namespace talvorne::testing
