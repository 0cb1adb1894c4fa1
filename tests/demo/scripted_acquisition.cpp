#include "tests/demo/scripted_acquisition.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "resources/resource_ids.h"
#include "tests/demo/demo_oscilloscope.h"
#include "tests/demo/program_folder.h"
#include "tests/demo/window_snapshot.h"
#include "tests/wine/support/box_watcher.h"
#include "tests/wine/support/child_process.h"
#include "tests/wine/support/main_window_controls.h"
#include "tests/wine/support/stand_in_zuruzevu.h"
#include "win32/text_encoding.h"

namespace talvorne::demo {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing::MainWindowControl;
using testing::TextOf;

constexpr auto kWindowTimeout = 30s;
constexpr auto kPanelTimeout = 20s;
constexpr auto kConnexionTimeout = 10s;
// The exchange may take 9 s when the instrument is silent, the conversion pauses 2 s by design.
constexpr auto kTableTimeout = 30s;
// The shell's start of Zuruzevu is given 2 s; Wine may take some more to start it.
constexpr auto kSendTimeout = 20s;
constexpr auto kExitTimeout = 20s;
// Lets Wine put the window's latest drawing on the screen before it is pictured.
constexpr DWORD kSettleMs = 500;

// Whether the condition came true within the time given.
template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!condition()) {
    if (Clock::now() >= deadline) return false;
    Sleep(50);
  }
  return true;
}

std::string Seconds(std::chrono::seconds duration) {
  return std::to_string(duration.count()) + " s";
}

// What went wrong so far; each failure is told as it happens.
class Verdict {
 public:
  void Fail(const std::string& what) {
    std::cout << "ÉCHEC : " << what << "\n";
    failed_ = true;
  }
  int ExitCode() const { return failed_ ? 1 : 0; }

 private:
  bool failed_ = false;
};

class ScriptedAcquisition {
 public:
  ScriptedAcquisition(const testing::ChildProcess& talvorne, HWND window,
                      const std::filesystem::path& folder, Verdict& verdict)
      : talvorne_(talvorne), window_(window), folder_(folder), verdict_(verdict) {}

  // The windows are pictured as a teacher sees them, before the send brings Zuruzevu's up.
  void Run() {
    SaveSnapshot(window_, L"main_window.bmp");
    const bool acquired = Acquire();
    ReportLabels();
    SaveSnapshot(window_, L"table_received.bmp");
    if (acquired) PictureCurveWindow();
    PictureFileMenu();
    if (ShowDebugPanel()) SaveSnapshot(window_, L"talvorne.bmp");
    PictureAboutBox();
    if (acquired) SendToZuruzevu();
  }

 private:
  HWND Control(const char* name) const { return MainWindowControl(window_, name); }

  // Clicks a push button of the main window: its parent gets BN_CLICKED. Posted, because a
  // command holds the program while it talks to the instrument.
  void Click(const char* button) const {
    const HWND control = Control(button);
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
  }

  bool ShowDebugPanel() {
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(IDM_DEBUG_ON, 0), 0);
    // Shown, the panel's boxes take their texts in slices, each read-only while it fills.
    const auto filled = [&] {
      for (const char* name : {"Memo1", "RichEdit1", "RichEdit3"}) {
        const HWND box = Control(name);
        if (!IsWindowVisible(box) || (GetWindowLongW(box, GWL_STYLE) & ES_READONLY) != 0) {
          return false;
        }
      }
      const HWND bar = Control("ProgressBar1");
      return SendMessageW(bar, PBM_GETPOS, 0, 0) == SendMessageW(bar, PBM_GETRANGE, FALSE, 0);
    };
    // Between two boxes none is read-only for a moment: the fill is over once that lasts.
    if (WaitUntil([&] { return filled() && (Sleep(250), filled()); }, kPanelTimeout)) {
      std::cout << "Debug > On : panneau de mise au point affiché\n";
      return true;
    }
    verdict_.Fail("le panneau de mise au point ne s'est pas affiché");
    return false;
  }

  bool Acquire() {
    if (const std::string missing = ConnectAndAcquire(); !missing.empty()) {
      verdict_.Fail("le tableau n'est pas arrivé (" + missing + ")");
      return false;
    }
    SaveTable();
    return true;
  }

  // Clicks "Connexion", then "Récupération"; empty when the table has arrived, else why not.
  std::string ConnectAndAcquire() {
    Click("Button3");
    if (!WaitUntil([&] { return IsWindowEnabled(Control("Button4")) != FALSE; },
                   kConnexionTimeout)) {
      return "« Récupération » toujours désactivé " + Seconds(kConnexionTimeout) +
             " après « Connexion »";
    }
    std::cout << "Connexion : oscilloscope ouvert, « Récupération » activé\n";

    const auto start = Clock::now();
    Click("Button4");
    if (!WaitUntil([&] { return IsWindowEnabled(Control("Button5")) != FALSE; }, kTableTimeout)) {
      return "« Régressi » toujours désactivé " + Seconds(kTableTimeout) +
             " après « Récupération »";
    }
    const std::chrono::duration<double> took = Clock::now() - start;
    std::cout << "Récupération : tableau reçu en " << took.count() << " s\n";
    return {};
  }

  void SaveTable() {
    std::string table = Narrow(TextOf(Control("Memo1")));
    std::erase(table, '\r');
    const auto lines = std::count(table.begin(), table.end(), '\n');
    const std::filesystem::path file = folder_ / L"table.txt";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << table;
    std::cout << "Tableau : " << lines << " lignes dans " << Narrow(file.wstring()) << "\n";
    // The names line, the units line, then one line per sample.
    if (lines != 2 + kSamplesPerChannel) {
      verdict_.Fail("le tableau devrait avoir " + std::to_string(2 + kSamplesPerChannel) +
                    " lignes");
    }
  }

  // Clicks "Régressi": Talvorne finds the stand-in Zuruzevu beside it, starts it and has it load
  // the table from the clipboard.
  void SendToZuruzevu() {
    const std::filesystem::path zuruzevu = folder_ / L"program";
    Click("Button5");
    if (!testing::WaitForZuruzevuEvent(zuruzevu, "clipboard", kSendTimeout)) {
      verdict_.Fail("Zuruzevu n'a pas reçu le tableau " + Seconds(kSendTimeout) +
                    " après « Régressi »");
      return;
    }
    const std::string received = testing::LastTableReceived(zuruzevu).value_or("");
    const std::filesystem::path file = folder_ / L"zuruzevu_table.txt";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << received;
    std::cout << "Régressi : Zuruzevu (simulé) démarré par Talvorne a reçu « CLIP|LOAD » et "
              << std::count(received.begin(), received.end(), '\n')
              << " lignes du presse-papiers, dans " << Narrow(file.wstring()) << "\n";
    if (received == Narrow(TextOf(Control("Memo1")))) {
      std::cout << "Le tableau reçu par Zuruzevu est identique à celui de Memo1\n";
    } else {
      verdict_.Fail("le tableau reçu par Zuruzevu diffère de celui de Memo1");
    }
  }

  // A label's lines (Label9 has two) shown on one line of the report.
  static std::string OneLine(std::string text) {
    std::erase(text, '\n');
    for (std::size_t at; (at = text.find('\r')) != std::string::npos;) text.replace(at, 1, " / ");
    return text;
  }

  void ReportLabels() const {
    for (const char* label : {"Label8", "Label9", "Label1", "Label2", "Label3", "Label5", "Label4",
                              "Label6", "Label7", "RichEdit2"}) {
      std::cout << "  " << label << " : " << OneLine(Narrow(TextOf(Control(label)))) << "\n";
    }
  }

  // Opens "Fichier" from the keyboard, as Alt and the down arrow do, pictures the window with the
  // menu open below it and closes the menu again.
  void PictureFileMenu() {
    PostMessageW(window_, WM_SYSCOMMAND, SC_KEYMENU, 0);  // the menu bar, its first menu selected
    PostMessageW(window_, WM_KEYDOWN, VK_DOWN, 0);
    HWND menu = nullptr;
    if (!WaitUntil([&] { return (menu = OpenMenu()) != nullptr; }, kPanelTimeout)) {
      verdict_.Fail("le menu « Fichier » ne s'est pas ouvert");
      return;
    }
    SaveSnapshot(window_, L"file_menu.bmp", menu);
    for (int level = 0; level < 2; ++level) PostMessageW(window_, WM_KEYDOWN, VK_ESCAPE, 0);
    if (!WaitUntil([&] { return OpenMenu() == nullptr; }, kPanelTimeout)) {
      verdict_.Fail("le menu « Fichier » ne s'est pas refermé");
    }
  }

  // Talvorne's drop-down menu on screen, if one is.
  HWND OpenMenu() const {
    struct Search {
      DWORD process;
      HWND menu = nullptr;
    } search{talvorne_.Id()};
    EnumWindows(
        [](HWND window, LPARAM found) {
          auto& wanted = *reinterpret_cast<Search*>(found);
          wchar_t name[16] = {};
          GetClassNameW(window, name, 16);
          DWORD process = 0;
          GetWindowThreadProcessId(window, &process);
          if (process == wanted.process && IsWindowVisible(window) &&
              std::wstring_view(name) == L"#32768") {
            wanted.menu = window;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.menu;
  }

  // Chooses "Affichage" > "Courbe", pictures the window of the curve received and closes it.
  void PictureCurveWindow() {
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(IDM_SHOW_CURVE, 0), 0);
    const HWND curve = talvorne_.WaitForWindow(L"Courbe", kPanelTimeout);
    if (curve == nullptr) {
      verdict_.Fail("la fenêtre « Courbe » ne s'est pas affichée");
      return;
    }
    std::cout << "Affichage > Courbe : fenêtre de la courbe affichée\n";
    SaveSnapshot(curve, L"courbe.bmp");
    PostMessageW(curve, WM_CLOSE, 0, 0);
    if (!WaitUntil([&] { return IsWindowVisible(curve) == FALSE; }, kPanelTimeout)) {
      verdict_.Fail("la fenêtre « Courbe » ne s'est pas fermée");
    }
  }

  // Chooses "?", pictures the about box and closes it.
  void PictureAboutBox() {
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0);
    const HWND about = talvorne_.WaitForWindow(L"A propos", kPanelTimeout);
    if (about == nullptr) {
      verdict_.Fail("la boîte « A propos » ne s'est pas affichée");
      return;
    }
    SaveSnapshot(about, L"about_box.bmp");
    PostMessageW(about, WM_CLOSE, 0, 0);
    if (!WaitUntil([&] { return IsWindowVisible(about) == FALSE; }, kPanelTimeout)) {
      verdict_.Fail("la boîte « A propos » ne s'est pas fermée");
    }
  }

  // The window, and with it the other one shown over it, if any.
  void SaveSnapshot(HWND window, const wchar_t* name, HWND over = nullptr) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    Sleep(kSettleMs);
    const std::filesystem::path file = folder_ / name;
    if (over != nullptr ? SaveWindowsSnapshot(window, over, file)
                        : SaveWindowSnapshot(window, file)) {
      std::cout << "Image : " << Narrow(file.wstring()) << "\n";
    } else {
      verdict_.Fail("la fenêtre n'a pas pu être capturée");
    }
  }

  const testing::ChildProcess& talvorne_;
  HWND window_;
  std::filesystem::path folder_;
  Verdict& verdict_;
};

void ReportBoxes(const testing::BoxWatcher& boxes, Verdict& verdict) {
  for (const testing::SeenBox& box : boxes.Boxes()) {
    verdict.Fail("boîte de message « " + Narrow(box.caption) + " » : " + Narrow(box.text));
  }
}

void Close(const testing::ChildProcess& talvorne, HWND window, Verdict& verdict) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  const std::optional<DWORD> exitCode = talvorne.WaitForExit(kExitTimeout);
  if (!exitCode) {
    verdict.Fail("Talvorne ne s'est pas fermé");
  } else if (*exitCode != 0) {
    verdict.Fail("Talvorne s'est fermé avec le code de sortie " + std::to_string(*exitCode));
  } else {
    std::cout << "Talvorne fermé, code de sortie 0\n";
  }
}

}  // namespace

int RunScriptedAcquisition(const std::filesystem::path& folder) {
  for (const wchar_t* output :
       {L"table.txt", L"zuruzevu_table.txt", L"main_window.bmp", L"table_received.bmp",
        L"courbe.bmp", L"file_menu.bmp", L"talvorne.bmp", L"about_box.bmp"}) {
    std::filesystem::remove(folder / output);
  }
  const std::filesystem::path program = PrepareProgramFolder(folder);
  Verdict verdict;
  // Both end when they go, should they still run.
  const testing::StandInZuruzevuReaper zuruzevu({program.parent_path()});
  testing::ChildProcess talvorne(program);
  const testing::BoxWatcher boxes(talvorne.Id());

  const HWND window = talvorne.WaitForWindow(L"Talvorne", kWindowTimeout);
  if (window == nullptr) {
    verdict.Fail("la fenêtre « Talvorne » n'est pas apparue");
  } else {
    std::cout << "Talvorne démarré depuis " << Narrow(program.parent_path().wstring()) << "\n";
    ScriptedAcquisition(talvorne, window, folder, verdict).Run();
    Close(talvorne, window, verdict);
  }
  ReportBoxes(boxes, verdict);
  return verdict.ExitCode();
}

}  // namespace talvorne::demo
