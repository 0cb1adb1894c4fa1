// Talvorne.exe as a real child process: found by its caption, read through its controls, closed.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
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

TEST(TalvorneProcess, StartsMinimizedOrMaximizedWhenLaunchedSo) {
  ScratchFolder folder;
  const auto program = CopyProgramInto(folder.Path());
  for (const auto& [command, minimized] :
       {std::pair{SW_SHOWMINIMIZED, true}, {SW_MAXIMIZE, false}}) {
    ChildProcess talvorne(program, static_cast<WORD>(command));
    const HWND window = talvorne.WaitForWindow(L"Talvorne");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(IsIconic(window) != FALSE, minimized);
    EXPECT_EQ(IsZoomed(window) != FALSE, !minimized);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(talvorne.WaitForExit(), std::optional<DWORD>(0));
  }
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
  EXPECT_EQ(boxes[0].owner, nullptr);  // before any window

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
  EXPECT_EQ(boxes[0].owner, nullptr);  // after the last
  EXPECT_EQ(talvorne.WaitForExit(), std::optional<DWORD>(1));
}

// Wine prefers its own riched20.dll to one it finds; Windows takes the first it finds. Meanwhile,
// Wine too takes the first for the copies of Talvorne.exe.
class FoundRichEditFirst {
 public:
  FoundRichEditFirst() {
    RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, L"riched20", REG_SZ, kNativeFirst,
                    sizeof kNativeFirst);
  }
  ~FoundRichEditFirst() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kOverrides, L"riched20"); }

 private:
  static constexpr wchar_t kOverrides[] =
      L"Software\\Wine\\AppDefaults\\Talvorne.exe\\DllOverrides";
  static constexpr wchar_t kNativeFirst[] = L"native,builtin";
};

TEST(TalvorneProcess, ARichEditDllDroppedBesideTheProgramNeverRuns) {
  ScratchFolder folder;
  const auto program = CopyProgramInto(folder.Path());
  std::filesystem::copy_file(TestProgramFolder() / L"planted" / L"riched20.dll",
                             folder.Path() / L"riched20.dll");
  const FoundRichEditFirst asOnWindows;
  ChildProcess talvorne(program);
  const HWND window = talvorne.WaitForWindow(L"Talvorne");
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / L"riched20.dll.ran"));
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(talvorne.WaitForExit(), std::optional<DWORD>(0));
}

TEST(TalvorneProcess, WindowAndControlsAreScaledForTheScreensResolution) {
  constexpr wchar_t kDesktop[] = L"Control Panel\\Desktop";
  constexpr DWORD kDpi = 144;
  RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD, &kDpi, sizeof kDpi);
  ScratchFolder folder;
  ChildProcess talvorne(CopyProgramInto(folder.Path()));
  const HWND window = talvorne.WaitForWindow(L"Talvorne");
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels");
  ASSERT_NE(window, nullptr);

  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 281);   // 187 at 96 DPI
  EXPECT_EQ(client.bottom, 333);  // 222
  RECT button;
  GetWindowRect(MainWindowControl(window, "Button3"), &button);
  EXPECT_EQ(button.right - button.left, 113);  // 75 × 1.5, rounded
  EXPECT_EQ(button.bottom - button.top, 38);   // 25 × 1.5

  // The debug width grows with everything else, so that no button is cut.
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDM_DEBUG_ON, 0), 0);
  RECT frame{};
  for (int i = 0; i < 100 && frame.right - frame.left != 1266; ++i) {
    Sleep(20);
    GetWindowRect(window, &frame);
  }
  EXPECT_EQ(frame.right - frame.left, 1266);  // 844 × 1.5
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(talvorne.WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace talvorne
