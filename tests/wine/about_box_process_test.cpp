// The about box of copies of Talvorne.exe whose file date the test sets: the date in the user's
// month names and the file's version, written again at each showing. CTest runs this program, and
// so its copies of Talvorne, in the French locale.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/wine/support/box_watcher.h"
#include "tests/wine/support/child_process.h"
#include "tests/wine/support/main_window_controls.h"
#include "tests/wine/support/program_copy.h"

namespace talvorne {
namespace {

using namespace talvorne::testing;

// At noon, local time, on that day.
bool SetModificationDay(const std::filesystem::path& file, WORD year, WORD month, WORD day) {
  const SYSTEMTIME local{year, month, 0, day, 12, 0, 0, 0};
  SYSTEMTIME universal;
  FILETIME time;
  const HANDLE handle = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  const bool set = handle != INVALID_HANDLE_VALUE &&
                   TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) &&
                   SystemTimeToFileTime(&universal, &time) &&
                   SetFileTime(handle, nullptr, nullptr, &time);
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  return set;
}

// Chooses "?" in the main window and waits for the box.
HWND ShowAboutBox(const ChildProcess& talvorne, HWND mainWindow) {
  PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0);
  return talvorne.WaitForWindow(L"A propos");
}

void CloseAboutBox(HWND about) {
  PostMessageW(about, WM_CLOSE, 0, 0);
  for (int i = 0; i < 100 && IsWindowVisible(about); ++i) Sleep(20);
}

// The label's text once it reads as expected, or after a few seconds.
std::wstring LabelText(HWND about, const char* label, const std::wstring& expected) {
  std::wstring text;
  for (int i = 0; i < 100 && (text = TextOf(AboutBoxControl(about, label))) != expected; ++i) {
    Sleep(50);
  }
  return text;
}

std::wstring UserLocale() {
  wchar_t locale[LOCALE_NAME_MAX_LENGTH] = {};
  GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
  return locale;
}

constexpr char kStartedInFrench[] = "CTest starts this program with LC_ALL=fr_FR.UTF-8";

TEST(AboutBoxProcess, DateAndVersionOfTheProgramFileAtEachShowing) {
  ASSERT_EQ(UserLocale(), L"fr-FR") << kStartedInFrench;
  ScratchFolder folder;
  const auto program = CopyProgramInto(folder.Path());
  ASSERT_TRUE(SetModificationDay(program, 2021, 2, 5));
  ChildProcess talvorne(program);
  const HWND window = talvorne.WaitForWindow(L"Talvorne");
  ASSERT_NE(window, nullptr);

  HWND about = ShowAboutBox(talvorne, window);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(LabelText(about, "Datelabel", L"Du : 05 févr. 2021"), L"Du : 05 févr. 2021");
  EXPECT_EQ(LabelText(about, "versionlabel", L"Version : 1.0.0.4"), L"Version : 1.0.0.4");

  // The file changes while the box is closed, and a label is overwritten: the next showing
  // writes both again.
  CloseAboutBox(about);
  ASSERT_TRUE(SetModificationDay(program, 2022, 8, 15));
  SendMessageTimeoutW(AboutBoxControl(about, "versionlabel"), WM_SETTEXT, 0,
                      reinterpret_cast<LPARAM>(L"Version"), SMTO_BLOCK, 5000, nullptr);
  about = ShowAboutBox(talvorne, window);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(LabelText(about, "Datelabel", L"Du : 15 août 2022"), L"Du : 15 août 2022");
  EXPECT_EQ(LabelText(about, "versionlabel", L"Version : 1.0.0.4"), L"Version : 1.0.0.4");

  CloseAboutBox(about);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(talvorne.WaitForExit(), std::optional<DWORD>(0));
}

TEST(AboutBoxProcess, AProgramWithoutVersionInformationShowsItsDateOnly) {
  ASSERT_EQ(UserLocale(), L"fr-FR") << kStartedInFrench;
  ScratchFolder folder;
  const auto program = CopyProgramInto(folder.Path(), L"Talvorne_without_version.exe");
  ASSERT_TRUE(SetModificationDay(program, 2021, 2, 5));
  ChildProcess talvorne(program);
  BoxWatcher watcher(talvorne.Id());
  const HWND window = talvorne.WaitForWindow(L"Talvorne");
  ASSERT_NE(window, nullptr);

  const HWND about = ShowAboutBox(talvorne, window);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(LabelText(about, "Datelabel", L"Du : 05 févr. 2021"), L"Du : 05 févr. 2021");
  EXPECT_EQ(TextOf(AboutBoxControl(about, "versionlabel")), L"Version");

  CloseAboutBox(about);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(talvorne.WaitForExit(), std::optional<DWORD>(0));
  EXPECT_TRUE(watcher.Boxes().empty());  // the missing version is never reported
}

}  // namespace
}  // namespace talvorne
