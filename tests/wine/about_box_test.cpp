// The about box in this process: its icon and its contact link, with and without a mail program.
// Its date and version texts are tested on copies of the program file (about_box_process_test).
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "resources/resource_ids.h"
#include "tests/wine/support/box_watcher.h"
#include "tests/wine/support/child_process.h"
#include "tests/wine/support/program_windows.h"

namespace talvorne {
namespace {

using namespace talvorne::testing;

TEST(AboutBox, TheProgramsIconAndAHandOverTheContactAddress) {
  ProgramWindows windows;
  const Taboutform& about = windows.About();
  const auto icon = reinterpret_cast<HICON>(SendMessageW(about.Image1.Handle(), STM_GETICON, 0, 0));
  EXPECT_EQ(icon, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TALVORNE)));
  // Drawn at its own size, not stretched to the control's 33 pixels.
  EXPECT_TRUE(GetWindowLongW(about.Image1.Handle(), GWL_STYLE) & SS_CENTERIMAGE);

  SendMessageW(about.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(about.Label2.Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

// The command that opens "mailto:" links, replaced for the test's time.
class MailProgram {
 public:
  MailProgram() {
    RegCreateKeyExW(HKEY_CLASSES_ROOT, L"mailto\\shell\\open\\command", 0, nullptr, 0,
                    KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    DWORD size = sizeof previous_;
    RegQueryValueExW(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(previous_), &size);
  }
  ~MailProgram() {
    Set(previous_);
    RegCloseKey(key_);
  }
  void Set(const std::wstring& command) const {
    RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  }

 private:
  HKEY key_ = nullptr;
  wchar_t previous_[1024] = {};
};

std::string FileText(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::stringstream text;
  text << stream.rdbuf();
  return text.str();
}

TEST(AboutBox, TheContactLinkOpensAMailAndTheBoxStaysOpenWithoutMailProgram) {
  ScratchFolder folder;
  const std::filesystem::path mail = folder.Path() / L"mail.txt";
  MailProgram mailProgram;
  mailProgram.Set(L"cmd.exe /c echo %1>\"" + mail.wstring() + L"\"");
  ProgramWindows windows;
  BoxWatcher watcher;
  const HWND about = windows.About().Handle();
  const HWND link = windows.About().Label2.Handle();
  const auto click = [link] {
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(link, WM_LBUTTONUP, 0, 0);
  };

  bool openAfterMail = false, openWithoutMailProgram = false;
  std::thread user([&] {
    for (int i = 0; i < 200 && !IsWindowVisible(about); ++i) Sleep(10);
    click();
    for (int i = 0; i < 200 && FileText(mail).find('\n') == std::string::npos; ++i) Sleep(50);
    openAfterMail = IsWindowVisible(about);
    mailProgram.Set(L"C:\\nowhere\\mail.exe %1");
    click();
    openWithoutMailProgram = IsWindowVisible(about);
    PostMessageW(about, WM_CLOSE, 0, 0);
  });
  windows.Main().N1Click();  // returns once the box has been closed
  user.join();

  EXPECT_EQ(FileText(mail), "mailto:talvorne@example.org\r\n");
  EXPECT_TRUE(openAfterMail);
  EXPECT_TRUE(openWithoutMailProgram);
  EXPECT_TRUE(watcher.Boxes().empty());
}

}  // namespace
}  // namespace talvorne
