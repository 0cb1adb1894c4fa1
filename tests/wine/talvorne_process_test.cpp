// Talvorne.exe as a real child process: found by its caption, read through its controls, closed.
#include <gtest/gtest.h>

#include "shell/resource_ids.h"
#include "tests/wine/support/box_watcher.h"
#include "tests/wine/support/child_process.h"
#include "tests/wine/support/main_window_controls.h"
#include "tests/wine/support/program_copy.h"

namespace talvorne {
namespace {

using namespace talvorne::testing;

TEST(TalvorneProcess, StartsWithItsMainWindowAndEndsWithExitCode0WhenClosed) {
  ScratchFolder folder;
  ChildProcess talvorne(CopyProgramInto(folder.Path()));
  const HWND window = talvorne.WaitForWindow(L"Talvorne");
  ASSERT_NE(window, nullptr);

  EXPECT_EQ(TextOf(MainWindowControl(window, "Button3")), L"Connexion");
  EXPECT_EQ(TextOf(MainWindowControl(window, "Button4")), L"Récupération");
  EXPECT_TRUE(IsWindowEnabled(MainWindowControl(window, "Button3")));
  EXPECT_FALSE(IsWindowEnabled(MainWindowControl(window, "Button4")));
  EXPECT_FALSE(IsWindowEnabled(MainWindowControl(window, "Button5")));
  EXPECT_EQ(TextOf(MainWindowControl(window, "Memo1")), L"t\tU1\tU2\r\ns\tmV\tmV\r\n");
  EXPECT_EQ(TextOf(MainWindowControl(window, "Label7")), L"Label7");
  EXPECT_FALSE(IsWindowVisible(MainWindowControl(window, "Memo1")));
  EXPECT_FALSE(IsWindowVisible(MainWindowControl(window, "ProgressBar1")));

  // Menus cannot be walked from another process; their commands can be sent.
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDM_DEBUG_ON, 0), 0);
  for (int i = 0; i < 100 && !IsWindowVisible(MainWindowControl(window, "Memo1")); ++i) Sleep(20);
  EXPECT_TRUE(IsWindowVisible(MainWindowControl(window, "Memo1")));
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.right - frame.left, 844);

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(talvorne.WaitForExit(), std::optional<DWORD>(0));
}

TEST(TalvorneProcess, MissingStyleIsReportedAndStartUpGoesOn) {
  ScratchFolder folder;
  ChildProcess talvorne(CopyProgramInto(folder.Path(), L"Talvorne_without_style.exe"));
  BoxWatcher watcher(talvorne.Id());
  const auto boxes = watcher.WaitFor(1, 20s);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, L"Erreur");
  EXPECT_EQ(boxes[0].text, L"Style 'Iceberg Classico' non trouvé");
  EXPECT_EQ(boxes[0].buttons, std::vector<std::wstring>{L"Fer&mer"});

  const HWND window = talvorne.WaitForWindow(L"Talvorne");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(TextOf(MainWindowControl(window, "Button3")), L"Connexion");
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(talvorne.WaitForExit(), std::optional<DWORD>(0));
}

TEST(TalvorneProcess, StartUpFailureOutsideTheHandlersEndsWithExitCode1) {
  ScratchFolder folder;
  // Built without its window layouts, the program cannot make its main window.
  ChildProcess talvorne(CopyProgramInto(folder.Path(), L"Talvorne_without_layouts.exe"));
  BoxWatcher watcher(talvorne.Id());
  const auto boxes = watcher.WaitFor(1, 20s);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, L"Erreur d'application");
  EXPECT_NE(boxes[0].text.find(L"LayoutError"), std::wstring::npos) << boxes[0].text;
  EXPECT_NE(boxes[0].text.find(L"FORM1"), std::wstring::npos) << boxes[0].text;
  EXPECT_EQ(talvorne.WaitForExit(), std::optional<DWORD>(1));
}

}  // namespace
}  // namespace talvorne
