// The three message forms and their owners, the guard around handlers and the style's failure box.
#include "win32/message_boxes.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "resources/resource_ids.h"
#include "shell/program_style.h"
#include "tests/wine/support/box_watcher.h"
#include "tests/wine/support/program_windows.h"
#include "win32/window.h"

namespace talvorne {
namespace {

using namespace std::chrono_literals;
using testing::BoxWatcher;
using testing::ProgramWindows;
using testing::SeenBox;

bool CentredOnScreen(const RECT& frame) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  return std::abs((frame.left + frame.right) - (area.left + area.right)) <= 2 &&
         std::abs((frame.top + frame.bottom) - (area.top + area.bottom)) <= 2;
}

TEST(MessageBoxes, PlainBox) {
  BoxWatcher watcher;
  ShowPlainMessage("Pas de BUS");
  const auto boxes = watcher.WaitFor(1, 5s);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, L"Talvorne");
  EXPECT_EQ(boxes[0].text, L"Pas de BUS");
  EXPECT_EQ(boxes[0].buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_FALSE(boxes[0].hasIcon);
  EXPECT_TRUE(CentredOnScreen(boxes[0].frame));
  EXPECT_EQ(boxes[0].owner, nullptr);  // no window of the program is there
}

TEST(MessageBoxes, ErrorBoxWithEitherButton) {
  BoxWatcher watcher;
  ShowErrorMessage("RS232 Fonction Inconnue : x", ErrorBoxButton::Ok);
  ShowErrorMessage("Un message à la fois SVP", ErrorBoxButton::Fermer);
  const auto boxes = watcher.WaitFor(2, 5s);
  ASSERT_EQ(boxes.size(), 2u);
  for (const SeenBox& box : boxes) {
    EXPECT_EQ(box.caption, L"Erreur");
    EXPECT_TRUE(box.hasIcon);
    EXPECT_TRUE(CentredOnScreen(box.frame));
  }
  EXPECT_EQ(boxes[0].buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_EQ(boxes[1].text, L"Un message à la fois SVP");
  EXPECT_EQ(boxes[1].buttons, std::vector<std::wstring>{L"Fer&mer"});
}

TEST(MessageBoxes, StyleThatCannotBeFoundIsReportedAndTheSystemLookUsed) {
  const HMODULE ownModule = GetModuleHandleW(nullptr);
  const auto style = VisualStyle::Load(ownModule, "Iceberg Classico");
  ASSERT_TRUE(style.has_value());
  EXPECT_EQ(style->Face(), RGB(226, 233, 240));
  EXPECT_FALSE(VisualStyle::Load(ownModule, "Iceberg").has_value());

  BoxWatcher watcher;
  // A module that carries no style at all.
  const VisualStyle fallback = ApplyVisualStyle(GetModuleHandleW(L"kernel32.dll"));
  const auto boxes = watcher.WaitFor(1, 5s);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, L"Erreur");
  EXPECT_EQ(boxes[0].text, L"Style 'Iceberg Classico' non trouvé");
  EXPECT_EQ(boxes[0].buttons, std::vector<std::wstring>{L"Fer&mer"});
  EXPECT_TRUE(boxes[0].hasIcon);
  EXPECT_EQ(fallback.Face(), GetSysColor(COLOR_BTNFACE));
}

// A window whose handler raises, as a command handler would.
class FailingWindow : public Window {
 public:
  static constexpr UINT kFail = WM_APP + 1;
  static constexpr UINT kCount = WM_APP + 2;

  explicit FailingWindow(const VisualStyle& style) : Window(style) {
    Create(GetModuleHandleW(nullptr), kAboutFormLayout, nullptr);
  }
  int handled = 0;
  std::string message;

 protected:
  LRESULT HandleMessage(UINT code, WPARAM wParam, LPARAM lParam) override {
    if (code == kFail) {
      ++handled;
      throw std::runtime_error(message);
    }
    if (code == kCount) return ++handled;
    return Window::HandleMessage(code, wParam, lParam);
  }
};

TEST(MessageBoxes, OwnedByTheMainWindowOrByTheAboutBoxUpOverIt) {
  ProgramWindows windows;
  const HWND main = windows.Main().Handle();
  const HWND about = windows.About().Handle();
  const VisualStyle style = VisualStyle::SystemDefault();
  FailingWindow failing(style);
  failing.message = "Erreur";
  BoxWatcher watcher;
  ShowPlainMessage("Transfert non exécuté");

  // An error while the about box is up, and the main window after that box.
  bool mainEnabledUnderTheAboutBox = true;
  std::thread user([&] {
    for (int i = 0; i < 200 && !IsWindowVisible(about); ++i) Sleep(10);
    PostMessageW(failing.Handle(), FailingWindow::kFail, 0, 0);
    watcher.WaitFor(2, 5s);
    // The box has closed once its owner takes input again.
    for (int i = 0; i < 200 && !IsWindowEnabled(about); ++i) Sleep(10);
    mainEnabledUnderTheAboutBox = IsWindowEnabled(main) != FALSE;
    PostMessageW(about, WM_CLOSE, 0, 0);
  });
  windows.Main().N1Click();
  user.join();

  const auto boxes = watcher.Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].owner, main);
  EXPECT_EQ(boxes[1].owner, about);
  for (const SeenBox& box : boxes) {
    EXPECT_FALSE(box.ownerEnabled);
    EXPECT_TRUE(CentredOnScreen(box.frame));  // not on the owner
  }
  EXPECT_FALSE(mainEnabledUnderTheAboutBox);
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST(DefaultErrorBox, HandlerErrorsAreShownWithTheFinalPeriodRuleAndTheProgramGoesOn) {
  const VisualStyle style = VisualStyle::SystemDefault();
  FailingWindow window(style);
  const std::pair<const char*, const wchar_t*> cases[] = {
      {"Valeur hors limites", L"Valeur hors limites."},
      {"Code 42", L"Code 42."},
      {"Propriété évaluée é", L"Propriété évaluée é."},
      {"Fichier /", L"Fichier /."},
      {"Déjà fini.", L"Déjà fini."},
      {"Attention!", L"Attention!"},
      {"Liste,", L"Liste,"},
      {"Blanc ", L"Blanc "},
      {"(x)", L"(x)"},
      {"", L""},
  };
  BoxWatcher watcher;
  for (const auto& [message, shown] : cases) {
    window.message = message;
    SendMessageW(window.Handle(), FailingWindow::kFail, 0, 0);
  }
  const auto boxes = watcher.WaitFor(std::size(cases), 10s);
  ASSERT_EQ(boxes.size(), std::size(cases));
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_EQ(boxes[i].text, cases[i].second) << i;
    EXPECT_EQ(boxes[i].caption, L"Talvorne");
    EXPECT_TRUE(boxes[i].hasIcon);
    EXPECT_EQ(boxes[i].buttons, std::vector<std::wstring>{L"OK"});
  }
  // The window is still there and its handlers still run.
  EXPECT_TRUE(IsWindow(window.Handle()));
  EXPECT_EQ(SendMessageW(window.Handle(), FailingWindow::kCount, 0, 0),
            static_cast<LRESULT>(std::size(cases) + 1));
}

}  // namespace
}  // namespace talvorne
