// The "Fichier" menu in this process: its table items wait for a table, "Ajouter" sends it to a
// running Zuruzevu as a new page, "Copier" and Ctrl+C put it on the clipboard, "Enregistrer"
// writes it as text or CSV where the Save dialog says, whole or not at all, and "Quitter" closes.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "decoding/curve.h"
#include "decoding/sample_texts.h"
#include "decoding/waveform_record.h"
#include "resources/resource_ids.h"
#include "shell/format_settings.h"
#include "tests/support/record_builder.h"
#include "tests/wine/support/box_watcher.h"
#include "tests/wine/support/child_process.h"
#include "tests/wine/support/program_windows.h"
#include "tests/wine/support/stand_in_zuruzevu.h"
#include "win32/shell_folder.h"
#include "win32/text_encoding.h"
#include "win32/whole_file.h"

namespace talvorne {
namespace {

using namespace std::chrono_literals;
using namespace talvorne::testing;

constexpr char kBom[] = "\xEF\xBB\xBF";

// The "Fichier" item whose caption begins so: its command, when the user could choose it.
std::optional<UINT> EnabledFileMenuItem(const TForm1& form, std::wstring_view caption) {
  const HMENU file = GetSubMenu(GetMenu(form.Handle()), 0);
  wchar_t text[64] = {};
  for (int i = 0; i < GetMenuItemCount(file); ++i) {
    GetMenuStringW(file, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    if (std::wstring_view(text).substr(0, caption.size()) != caption) continue;
    if (GetMenuState(file, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) {
      return std::nullopt;
    }
    return GetMenuItemID(file, i);
  }
  ADD_FAILURE() << "no item " << Narrow(caption);
  return std::nullopt;
}

// Chooses the item as the user would, and returns once its command has run.
void Choose(const TForm1& form, std::wstring_view caption) {
  const std::optional<UINT> item = EnabledFileMenuItem(form, caption);
  ASSERT_TRUE(item.has_value()) << Narrow(caption) << " is disabled";
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(*item, 0), 0);
  Pump();
}

constexpr std::wstring_view kSave = L"Enregistrer le tableau…";
constexpr std::wstring_view kCopy = L"Copier le tableau";
constexpr std::wstring_view kAdd = L"Ajouter à Zuruzevu (nouvelle page)";

// A short table, written as the conversion writes it (with the window's decimal separator),
// without its pause.
void WriteTable(TForm1& form, std::int16_t firstSample) {
  RecordBuilder record = RecordBuilder::OneChannel(4);
  record.ChannelCharacter('2').TimebaseCode(13).VoltsCode(1, 3).Sample(1, 1, firstSample);
  const Curve curve = DecodeCurve(WaveformRecord(record.Bytes()));
  form.WriteRecordDescription(curve);
  form.WriteSamples(curve);
}

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Also beyond MAX_PATH, where the folder's path has the "\\?\" prefix.
std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder / L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    const std::wstring_view name = found.cFileName;
    if (name != L"." && name != L"..") files.push_back(folder / found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(files.begin(), files.end());
  return files;
}

TEST(FileMenu, TheTablesItemsWaitForATableAndAddToZuruzevuGetsItAsANewPage) {
  ScratchFolder zuruzevu;
  const StandInZuruzevuReaper reaper({zuruzevu.Path()});
  ChildProcess running(PlaceStandInZuruzevu(zuruzevu.Path()));
  ASSERT_TRUE(WaitForZuruzevuEvent(zuruzevu.Path(), "register", 20s));
  ProgramWindows windows;
  TForm1& form = windows.Main();
  for (std::wstring_view item : {kSave, kCopy, kAdd}) {
    EXPECT_FALSE(EnabledFileMenuItem(form, item)) << Narrow(item);
  }
  EXPECT_TRUE(EnabledFileMenuItem(form, L"Quitter"));
  WriteTable(form, 25);
  for (std::wstring_view item : {kSave, kCopy, kAdd}) {
    EXPECT_TRUE(EnabledFileMenuItem(form, item)) << Narrow(item);
  }

  // Chosen during the next acquisition's pause, it waits for the whole new table.
  const std::optional<UINT> add = EnabledFileMenuItem(form, kAdd);
  ASSERT_TRUE(add);
  PostMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(*add, 0), 0);
  RecordBuilder record = RecordBuilder::OneChannel(6);
  record.ChannelCharacter('1').TimebaseCode(16).VoltsCode(1, 4).Sample(1, 6, -3);
  form.ConvertRecord(record.Bytes());
  ASSERT_TRUE(WaitForZuruzevuEvent(zuruzevu.Path(), "clipboard", 10s))
      << ::testing::PrintToString(ZuruzevuEvents(zuruzevu.Path()));
  std::vector<std::string> exchange;
  for (const std::string& event : ZuruzevuEvents(zuruzevu.Path())) {
    if (event.rfind("execute", 0) == 0 || event.rfind("connect", 0) == 0) {
      exchange.push_back(event);
    }
  }
  EXPECT_EQ(exchange,
            (std::vector<std::string>{"connect topic=ServeurDDE -> accepted", "execute CLIP|ADD"}));
  const std::string table = form.Memo1.Text();
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 2 + 6);
  EXPECT_EQ(LastTableReceived(zuruzevu.Path()), table);
  EXPECT_EQ(Narrow(ClipboardText()), table);

  // As the close box: the window goes, and the message loop with it.
  Choose(form, L"Quitter");
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

// While the debug panel's boxes fill after the pause, "Régressi" waits for the whole table and a
// key typed into the table does not land in it.
TEST(FileMenu, RegressiAndTypingDuringAShownFillLeaveTheTableWhole) {
  ScratchFolder zuruzevu;
  const StandInZuruzevuReaper reaper({zuruzevu.Path()});
  ChildProcess running(PlaceStandInZuruzevu(zuruzevu.Path()));
  ASSERT_TRUE(WaitForZuruzevuEvent(zuruzevu.Path(), "register", 20s));
  ProgramWindows windows;
  TForm1& form = windows.Main();
  form.On1Click();
  constexpr int kSamples = 6250;
  RecordBuilder record = RecordBuilder::TwoChannels(kSamples);
  record.ChannelCharacter('1').TimebaseCode(16).VoltsCode(1, 4).VoltsCode(2, 6).Sample(1, 9, -3);

  // Once the bar has moved into the fill, from another thread, as the user would.
  std::atomic<bool> clickedDuringTheFill = false;
  std::thread user([&] {
    for (int i = 0; i < 20000 && !clickedDuringTheFill; ++i) {
      DWORD_PTR position = 0;
      SendMessageTimeoutW(form.ProgressBar1.Handle(), PBM_GETPOS, 0, 0, SMTO_NORMAL, 1000,
                          &position);
      if (position > kSamples / 10 && position < kSamples / 2) {
        PostMessageW(form.Memo1.Handle(), WM_CHAR, 'x', 0);
        PostMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(form.Button5.Handle()),
                                                           BN_CLICKED),
                     reinterpret_cast<LPARAM>(form.Button5.Handle()));
        clickedDuringTheFill = true;
      }
      Sleep(1);
    }
  });
  form.ConvertRecord(record.Bytes());
  user.join();
  ASSERT_TRUE(clickedDuringTheFill);
  ASSERT_TRUE(WaitForZuruzevuEvent(zuruzevu.Path(), "clipboard", 10s));
  Pump();
  const std::string table = ConvertSamples(DecodeCurve(WaveformRecord(record.Bytes())), ".").table;
  EXPECT_EQ(form.Memo1.Text(), table);
  EXPECT_EQ(LastTableReceived(zuruzevu.Path()), table);
  const auto events = ZuruzevuEvents(zuruzevu.Path());
  EXPECT_EQ(std::count(events.begin(), events.end(), std::string("execute CLIP|LOAD")), 1);
}

TEST(FileMenu, CopyPutsTheTableOnTheClipboardAsRegressiDoesCtrlCOutsideTheTextBoxes) {
  ProgramWindows windows(FormatSettings{","});
  TForm1& form = windows.Main();
  WriteTable(form, -3);
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(IDM_DEBUG_ON, 0), 0);
  // An edited table, as debug mode allows, with a line wider than the box.
  const std::string table = form.Memo1.Text() + "0,5\t" + std::string(300, '7') + " \té";
  form.Memo1.SetText(table);

  EmptyTheClipboard();
  Choose(form, kCopy);
  EXPECT_EQ(Narrow(ClipboardText()), table + "\r\n");

  EmptyTheClipboard();
  PressKey(form.Button3.Handle(), 'C', true);
  EXPECT_EQ(Narrow(ClipboardText()), table + "\r\n");
  // In a text box, Ctrl+C copies what is selected there.
  SendMessageW(form.Memo1.Handle(), EM_SETSEL, 0, 1);
  PressKey(form.Memo1.Handle(), 'C', true);
  EXPECT_EQ(ClipboardText(), L"t");
}

// The user's Documents folder, a scratch folder while it lives: under Wine it is the Linux home,
// which no test may write into, so this throws if the system still names another folder.
class ScratchDocuments {
 public:
  ScratchDocuments() {
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Personal", REG_EXPAND_SZ,
                    folder_.Path().wstring().c_str(),
                    static_cast<DWORD>((folder_.Path().wstring().size() + 1) * sizeof(wchar_t)));
    if (std::filesystem::path(SpecialFolderPath(CSIDL_PERSONAL)) / L"" != folder_.Path() / L"") {
      throw std::runtime_error("Documents could not be moved to a scratch folder");
    }
  }
  ~ScratchDocuments() {
    const std::wstring home = L"%USERPROFILE%\\Documents";
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Personal", REG_EXPAND_SZ, home.c_str(),
                    static_cast<DWORD>((home.size() + 1) * sizeof(wchar_t)));
  }
  const std::filesystem::path& Path() const { return folder_.Path(); }

 private:
  static constexpr wchar_t kKey[] =
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  ScratchFolder folder_;
};

// Local time in 100 ns steps.
constexpr ULONGLONG kSecond = 10'000'000;
ULONGLONG Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  FILETIME time;
  SystemTimeToFileTime(&now, &time);
  return (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// The time a name "Talvorne yyyy-mm-dd hh-mm-ss.txt" tells, if it is one.
std::optional<ULONGLONG> TimeOfName(const std::wstring& name) {
  SYSTEMTIME told{};
  wchar_t end[8] = {};
  if (swscanf(name.c_str(), L"Talvorne %4hu-%2hu-%2hu %2hu-%2hu-%2hu%7ls", &told.wYear,
              &told.wMonth, &told.wDay, &told.wHour, &told.wMinute, &told.wSecond, end) != 7 ||
      name.size() != 32 || std::wstring_view(end) != L".txt") {
    return std::nullopt;
  }
  FILETIME time;
  if (!SystemTimeToFileTime(&told, &time)) return std::nullopt;
  return (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

TEST(FileMenu, SavesTheTableAsTextOrCsvWhereTheSaveDialogSays) {
  const ScratchDocuments documents;
  ScratchFolder elsewhere;
  SaveDialogUser user;
  const BoxWatcher watcher(GetCurrentProcessId(), 0ms, [&](HWND box) { return user.Answer(box); });
  for (const std::string separator : {",", "."}) {
    SCOPED_TRACE(separator);
    ProgramWindows windows(FormatSettings{separator});
    TForm1& form = windows.Main();
    WriteTable(form, -3);
    form.Memo1.SetText(form.Memo1.Text() + "a;b\tdit \"é\"\t1,5");
    Choose(form, kCopy);
    const std::string clipboard = Narrow(ClipboardText());

    // The first time in Documents, named after the time of day.
    user.Will(separator == "," ? L"tableau virgule" : L"tableau point", 1);
    const ULONGLONG before = Now() / kSecond * kSecond;
    Choose(form, kSave);
    const std::optional<ULONGLONG> named = TimeOfName(user.proposed);
    ASSERT_TRUE(named) << Narrow(user.proposed);
    EXPECT_GE(*named, before);
    EXPECT_LE(*named, Now());
    const std::filesystem::path text = documents.Path() / (user.name + L".txt");
    EXPECT_EQ(FileBytes(text), kBom + clipboard);

    // Elsewhere, as CSV: ";" beside a decimal comma, "," beside a point.
    user.Will((elsewhere.Path() / user.name).wstring(), 2);
    Choose(form, kSave);
    const bool comma = separator == ",";
    std::string csv = kBom;
    for (std::size_t line = 0, start = 0; line < 2 + 4; ++line) {
      const std::size_t end = clipboard.find("\r\n", start) + 2;
      std::string cells = clipboard.substr(start, end - start);
      std::replace(cells.begin(), cells.end(), '\t', comma ? ';' : ',');
      csv += cells;
      start = end;
    }
    csv += comma ? "\"a;b\";\"dit \"\"é\"\"\";1,5\r\n" : "a;b,\"dit \"\"é\"\"\",\"1,5\"\r\n";
    EXPECT_EQ(FileBytes(user.name + L".csv"), csv);

    // The next time in the folder last used.
    user.Will(L"encore", 1);
    Choose(form, kSave);
    EXPECT_EQ(FileBytes(elsewhere.Path() / L"encore.txt"), FileBytes(text));
    std::filesystem::remove(elsewhere.Path() / L"encore.txt");
  }
  EXPECT_EQ(FilesIn(documents.Path()).size(), 2u);
  EXPECT_EQ(FilesIn(elsewhere.Path()).size(), 2u);
}

// One of the user's regional settings, changed as the control panel changes it while it lives.
class RegionalSetting {
 public:
  RegionalSetting(LCTYPE type, const wchar_t* value) : type_(type) {
    wchar_t old[16] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, old, 16);
    old_ = old;
    if (!SetLocaleInfoW(LOCALE_USER_DEFAULT, type, value)) {
      throw std::runtime_error("the regional setting could not be changed");
    }
  }
  ~RegionalSetting() { SetLocaleInfoW(LOCALE_USER_DEFAULT, type_, old_.c_str()); }

 private:
  LCTYPE type_;
  std::wstring old_;
};

TEST(FileMenu, AFileHoldsWhatItsNameSaysAndABareNameTakesTheTypePicked) {
  const ScratchDocuments documents;
  // A decimal comma, and a list separator that the spreadsheet splits a CSV file at.
  const RegionalSetting decimal(LOCALE_SDECIMAL, L","), list(LOCALE_SLIST, L"|");
  SaveDialogUser user;
  const BoxWatcher watcher(GetCurrentProcessId(), 0ms, [&](HWND box) { return user.Answer(box); });
  ProgramWindows windows(ReadUserFormatSettings());
  TForm1& form = windows.Main();
  WriteTable(form, -3);
  Choose(form, kCopy);
  const std::string text = kBom + Narrow(ClipboardText());
  std::string csv = text;  // no cell holds a "|" or a quote
  std::replace(csv.begin(), csv.end(), '\t', '|');

  // Typed with the other type's extension, in any case.
  user.Will(L"x.csv", 1);
  Choose(form, kSave);
  EXPECT_EQ(FileBytes(documents.Path() / L"x.csv"), csv);
  user.Will(L"y.TXT", 2);
  Choose(form, kSave);
  EXPECT_EQ(FileBytes(documents.Path() / L"y.TXT"), text);

  // The name proposed, with CSV picked: a CSV file's name.
  user.Will(L"", 2);
  Choose(form, kSave);
  ASSERT_EQ(user.proposed.substr(user.proposed.size() - 4), L".txt");
  EXPECT_EQ(user.shown, user.proposed.substr(0, user.proposed.size() - 3) + L"csv");
  EXPECT_EQ(FileBytes(documents.Path() / user.shown), csv);

  // Bare names, with CSV picked: the dialog asks about "x.csv", which is there, and not about
  // "y.csv", which is not, before it returns.
  const std::size_t seen = watcher.Boxes().size();
  user.Will(L"x", 2);
  Choose(form, kSave);
  EXPECT_EQ(watcher.WaitFor(seen + 2, 5s).size(), seen + 2);  // the dialog and its question
  user.Will(L"y", 2);
  Choose(form, kSave);
  EXPECT_EQ(FileBytes(documents.Path() / L"y.csv"), csv);
  EXPECT_EQ(watcher.Boxes().size(), seen + 3);
  EXPECT_EQ(FilesIn(documents.Path()).size(), 4u);
}

// The file opened in another program, with the sharing given, until that program lets go: it is
// opened here and handed over, so that the other process alone holds it.
class HeldElsewhere {
 public:
  HeldElsewhere(const std::filesystem::path& file, DWORD sharing, DWORD processId)
      : process_(OpenProcess(PROCESS_DUP_HANDLE, FALSE, processId)) {
    const HANDLE opened = CreateFileW(file.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (process_ == nullptr || opened == INVALID_HANDLE_VALUE ||
        !DuplicateHandle(GetCurrentProcess(), opened, process_, &theirs_, 0, FALSE,
                         DUPLICATE_SAME_ACCESS | DUPLICATE_CLOSE_SOURCE)) {
      throw std::runtime_error("the file could not be handed over to the other program");
    }
  }
  HeldElsewhere(const HeldElsewhere&) = delete;
  HeldElsewhere& operator=(const HeldElsewhere&) = delete;
  ~HeldElsewhere() {
    LetGo();
    CloseHandle(process_);
  }

  // Taken back from the other process, and closed.
  void LetGo() {
    HANDLE back = nullptr;
    if (theirs_ == nullptr ||
        !DuplicateHandle(process_, theirs_, GetCurrentProcess(), &back, 0, FALSE,
                         DUPLICATE_SAME_ACCESS | DUPLICATE_CLOSE_SOURCE)) {
      return;
    }
    CloseHandle(back);
    theirs_ = nullptr;
  }

 private:
  HANDLE process_;
  HANDLE theirs_ = nullptr;
};

TEST(FileMenu, AFileHeldByAnotherProgramIsKeptWholeAndReplacedOnceItLetsGo) {
  const ScratchDocuments documents;
  const std::filesystem::path file = documents.Path() / L"mesures.txt";
  const std::string old = "l'ancien tableau\r\n";
  std::ofstream(file, std::ios::binary) << old;
  ScratchFolder folder;
  const ChildProcess other(PlaceStandInZuruzevu(folder.Path()));  // any program will do
  SaveDialogUser user;
  user.Will(L"mesures", 1);
  const BoxWatcher watcher(GetCurrentProcessId(), 0ms, [&](HWND box) { return user.Answer(box); });
  ProgramWindows windows;
  TForm1& form = windows.Main();
  WriteTable(form, 25);

  // Open in a spreadsheet, which lets nobody else even read it; then in a program that lets it be
  // written but not replaced, where a write in place would have gone through.
  for (const DWORD sharing : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
    SCOPED_TRACE(sharing);
    const std::size_t seen = watcher.Boxes().size();
    {
      const HeldElsewhere held(file, sharing, other.Id());
      Choose(form, kSave);
    }
    const auto boxes = watcher.WaitFor(seen + 3, 5s);
    ASSERT_EQ(boxes.size(), seen + 3);  // the dialog, its question, the program's message
    EXPECT_EQ(boxes[seen + 1].buttons.size(), 2u) << Narrow(boxes[seen + 1].text);  // replace?
    const SeenBox& message = boxes[seen + 2];
    EXPECT_EQ(message.caption, L"Talvorne");
    EXPECT_FALSE(message.hasIcon);
    EXPECT_EQ(
        message.text,
        L"Impossible d'enregistrer le tableau : le fichier est peut-être ouvert dans un autre "
        L"programme. Fermez-le, puis recommencez.");
    EXPECT_EQ(FileBytes(file), old);
    EXPECT_EQ(FilesIn(documents.Path()), std::vector<std::filesystem::path>{file});
  }

  // Let go while the program tries again, soon after the question was answered: it is replaced.
  const std::size_t seen = watcher.Boxes().size();
  {
    HeldElsewhere held(file, 0, other.Id());
    std::thread letGo([&] {
      watcher.WaitFor(seen + 2, 5s);
      Sleep(100);
      held.LetGo();
    });
    Choose(form, kSave);
    letGo.join();
  }
  EXPECT_EQ(watcher.WaitFor(seen + 3, 1s).size(), seen + 2);  // no message after the question
  EXPECT_EQ(FileBytes(file), kBom + form.Memo1.Text());
  EXPECT_EQ(FilesIn(documents.Path()), std::vector<std::filesystem::path>{file});
}

TEST(FileMenu, AFileIsWrittenWholeInAFolderDeeperThanMaxPath) {
  ScratchFolder scratch;
  std::wstring folder = scratch.Path().wstring();
  while (folder.size() <= MAX_PATH) {
    folder += L"\\un dossier rangé dans un autre";
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr)) << GetLastError();
  }
  const std::wstring file = folder + L"\\mesures.csv";
  // Made, then replaced.
  for (const std::string bytes : {"un\r\n", "deux\r\n"}) {
    const WholeFileOutcome outcome = WriteWholeFile(file, bytes);
    EXPECT_EQ(outcome.error, DWORD{ERROR_SUCCESS}) << bytes;
    EXPECT_EQ(FileBytes(L"\\\\?\\" + file), bytes);
    EXPECT_EQ(FilesIn(L"\\\\?\\" + folder).size(), 1u);
  }
  // Any other failure than a file held is the system's.
  const WholeFileOutcome missing = WriteWholeFile(folder + L"\\absent\\mesures.csv", "trois");
  EXPECT_EQ(missing.error, DWORD{ERROR_PATH_NOT_FOUND});
  EXPECT_FALSE(missing.heldElsewhere);
  // Taken down from the bottom, as the scratch folder's own removal cannot reach so deep.
  DeleteFileW((L"\\\\?\\" + file).c_str());
  for (; folder != scratch.Path().wstring(); folder.resize(folder.rfind(L'\\'))) {
    RemoveDirectoryW((L"\\\\?\\" + folder).c_str());
  }
}

}  // namespace
}  // namespace talvorne
