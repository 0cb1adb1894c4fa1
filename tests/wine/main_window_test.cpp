// The main window in this process: start-up state and its COM apartment, scaling and the fit of
// every text at each DPI (the about box's too), debug mode, focus order, the about command.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <richedit.h>

#include <thread>

#include "resources/resource_ids.h"
#include "tests/wine/support/child_process.h"
#include "tests/wine/support/program_windows.h"
#include "win32/com_apartment.h"
#include "win32/dpi.h"
#include "win32/owned_handles.h"

namespace talvorne {
namespace {

using testing::ProgramWindows;
using testing::Pump;
using testing::RectInClient;
using testing::TextOf;

int OuterWidth(HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  return frame.right - frame.left;
}

int OuterHeight(HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  return frame.bottom - frame.top;
}

std::vector<Control> DebugPanel(const TForm1& form) {
  return {form.GroupBox1, form.RichEdit1, form.RichEdit2, form.RichEdit3, form.Memo1};
}

std::vector<Control> AlwaysShown(const TForm1& form) {
  return {form.Button3, form.Button4, form.Button5, form.Label8, form.Label9};
}

void ChooseMenu(const TForm1& form, int command) {
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
  Pump();
}

TEST(MainWindow, StartUpState) {
  ProgramWindows windows;
  const TForm1& form = windows.Main();
  EXPECT_EQ(form.Memo1.Text(), "t\tU1\tU2\r\ns\tmV\tmV\r\n");
  EXPECT_EQ(SendMessageW(form.Memo1.Handle(), EM_GETLINECOUNT, 0, 0), 3);  // the last is empty
  EXPECT_EQ(form.Label8.Text(), "");
  EXPECT_EQ(form.Label9.Text(), "");
  EXPECT_FALSE(form.ProgressBar1.Visible());
  EXPECT_TRUE(form.Button3.Enabled());
  EXPECT_FALSE(form.Button4.Enabled());
  EXPECT_FALSE(form.Button5.Enabled());
  for (const Control& control : DebugPanel(form)) EXPECT_FALSE(control.Visible());
  for (const Control& control : AlwaysShown(form)) EXPECT_TRUE(control.Visible());

  EXPECT_EQ(form.Button3.Text(), "Connexion");
  EXPECT_EQ(form.Button4.Text(), "Récupération");
  EXPECT_EQ(form.Button5.Text(), "Régressi");
  EXPECT_EQ(form.RichEdit1.Text(), "RichEdit1");
  EXPECT_EQ(form.RichEdit2.Text(), "RichEdit2");
  EXPECT_EQ(form.RichEdit3.Text(), "RichEdit3");
  EXPECT_EQ(form.GroupBox1.Text(), "GroupBox1");
  const std::pair<Label, const char*> statusLabels[] = {
      {form.Label1, "Label1"}, {form.Label2, "Label2"}, {form.Label3, "Label3"},
      {form.Label4, "Label4"}, {form.Label5, "Label5"}, {form.Label6, "Label6"},
      {form.Label7, "Label7"}};
  for (const auto& [label, text] : statusLabels) {
    EXPECT_EQ(GetParent(label.Handle()), form.GroupBox1.Handle());
    EXPECT_EQ(label.Text(), text);
  }

  wchar_t caption[32];
  GetWindowTextW(form.Handle(), caption, 32);
  EXPECT_STREQ(caption, L"Talvorne");
}

// On a thread of its own, which no earlier test has put in an apartment.
TEST(StartUp, TheComApartmentIsSingleThreadedWhileItLastsAndLeftAfter) {
  std::thread([] {
    {
      const ComApartment apartment;
      EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    }
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
  }).join();
}

TEST(MainWindow, GeometryIsScaledForTheWindowsDpi) {
  ProgramWindows windows;
  const TForm1& form = windows.Main();
  const UINT dpi = WindowDpi(form.Handle());
  EXPECT_EQ(SystemDpi(), dpi);  // what Windows before 10 1607 scales by, on the one monitor here
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, ScaleForDpi(187, dpi));
  EXPECT_EQ(client.bottom, ScaleForDpi(222, dpi));

  const RECT button = RectInClient(form.Button4.Handle());
  EXPECT_EQ(button.left, ScaleForDpi(64, dpi));
  EXPECT_EQ(button.top, ScaleForDpi(72, dpi));
  EXPECT_EQ(button.right - button.left, ScaleForDpi(75, dpi));
  EXPECT_EQ(button.bottom - button.top, ScaleForDpi(25, dpi));
  const RECT label = RectInClient(form.Label4.Handle());  // relative to the group box
  EXPECT_EQ(label.left, ScaleForDpi(96, dpi));
  EXPECT_EQ(label.top, ScaleForDpi(68, dpi));
  const RECT memo = RectInClient(form.Memo1.Handle());
  EXPECT_EQ(memo.left, ScaleForDpi(440, dpi));
  EXPECT_EQ(memo.right - memo.left, ScaleForDpi(393, dpi));

  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form.Button3.Handle(), WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, L"Microsoft Sans Serif");
  EXPECT_EQ(font.lfHeight, -ScaleForDpi(11, dpi));

  // The rich-text boxes write with the window's face and size, in the ANSI character set.
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  SendMessageW(form.RichEdit3.Handle(), EM_GETCHARFORMAT, SCF_DEFAULT,
               reinterpret_cast<LPARAM>(&format));
  EXPECT_STREQ(format.szFaceName, L"Microsoft Sans Serif");
  EXPECT_EQ(format.bCharSet, ANSI_CHARSET);
  EXPECT_EQ(format.yHeight, MulDiv(ScaleForDpi(11, dpi), 1440, static_cast<int>(dpi)));

  // Scroll bars: always for RichEdit1 and RichEdit3, none for RichEdit2; Memo1 wraps long lines.
  const auto style = [](const Control& control) {
    return GetWindowLongW(control.Handle(), GWL_STYLE);
  };
  EXPECT_TRUE(style(form.RichEdit1) & WS_VSCROLL);
  EXPECT_TRUE(style(form.RichEdit3) & WS_VSCROLL);
  EXPECT_FALSE(style(form.RichEdit2) & WS_VSCROLL);
  EXPECT_TRUE(style(form.Memo1) & WS_VSCROLL);
  EXPECT_FALSE(style(form.Memo1) & (WS_HSCROLL | ES_AUTOHSCROLL | ES_READONLY));
}

// Counts the controls that were moved while holding a font that no longer exists.
LRESULT CALLBACK CountMovesWithDeletedFont(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR count) {
  if (message == WM_WINDOWPOSCHANGED) {
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (font != nullptr && GetObjectType(font) != OBJ_FONT) ++*reinterpret_cast<int*>(count);
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

TEST(MainWindow, MovedToAScreenOfAnotherDpiItScalesWithoutEverUsingADeletedFont) {
  ProgramWindows windows;
  const TForm1& form = windows.Main();
  int movesWithDeletedFont = 0;
  const HWND controls[] = {form.ProgressBar1.Handle(), form.Button3.Handle(), form.Label8.Handle(),
                           form.RichEdit1.Handle(),    form.Memo1.Handle(),   form.Label4.Handle()};
  for (HWND control : controls) {
    SetWindowSubclass(control, CountMovesWithDeletedFont, 1,
                      reinterpret_cast<DWORD_PTR>(&movesWithDeletedFont));
  }
  for (UINT dpi : {144u, 120u}) {
    RECT suggested{0, 0, 400, 400};
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(RectInClient(form.Button4.Handle()).left, ScaleForDpi(64, dpi));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form.Label8.Handle(), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -ScaleForDpi(11, dpi));
  }
  for (HWND control : controls) RemoveWindowSubclass(control, CountMovesWithDeletedFont, 1);
  EXPECT_EQ(movesWithDeletedFont, 0);
}

// A text drawn in its window's font at the control's width, wrapped as the control wraps it: the
// rectangle grows past that width for a word that does not fit.
SIZE DrawnSize(const ControlLayout& layout, HWND control, UINT format, int width) {
  const std::wstring text = TextOf(control);
  const WindowDc dc(control);
  const GdiSelection font(dc.get(), layout.Font());
  RECT drawn{0, 0, width, 0};
  DrawTextW(dc.get(), text.c_str(), -1, &drawn, DT_CALCRECT | DT_NOPREFIX | format);
  return {drawn.right, drawn.bottom};
}

// Where each kind of control draws its text: inside the frame of a button or a group box's
// caption line (its edge and focus rectangle take 3 pixels at any DPI), the whole client area of a
// label, the formatting rectangle of a text box.
::testing::AssertionResult TextFits(const ControlLayout& layout,
                                    const ControlDescription& control) {
  const HWND window = layout.Control(control.name);
  RECT area;
  GetClientRect(window, &area);
  UINT format = DT_WORDBREAK;
  switch (control.kind) {
    case ControlKind::kButton:
    case ControlKind::kGroupBox:
      InflateRect(&area, -3, -3);
      format = DT_SINGLELINE;
      break;
    case ControlKind::kMemo:
    case ControlKind::kRichEdit:
      SendMessageW(window, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
      format |= DT_EXPANDTABS | DT_EDITCONTROL;
      break;
    case ControlKind::kProgressBar:
    case ControlKind::kIcon:
      return ::testing::AssertionSuccess();
    default:
      break;
  }
  const SIZE drawn = DrawnSize(layout, window, format, area.right - area.left);
  if (drawn.cx <= area.right - area.left && drawn.cy <= area.bottom - area.top) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << control.name << ": " << drawn.cx << " x " << drawn.cy << " drawn in "
         << area.right - area.left << " x " << area.bottom - area.top;
}

// A control shown in the window must not run past its parent's client area.
bool InsideItsParent(HWND control) {
  RECT parent;
  GetClientRect(GetParent(control), &parent);
  const RECT rect = RectInClient(control);
  return rect.left >= 0 && rect.top >= 0 && rect.right <= parent.right &&
         rect.bottom <= parent.bottom;
}

TEST(ProgramWindowsAtEachDpi, EveryTextFitsItsControlAndEveryShownControlItsWindow) {
  ProgramWindows windows;
  windows.About().FormActivate();  // the version and the date
  const Window* const all[] = {&windows.Main(), &windows.About(), &windows.Dde()};
  for (const UINT dpi : {96u, 144u, 192u}) {
    SCOPED_TRACE(dpi);
    for (const Window* window : all) {
      // As the system moves a window to a screen of another DPI: the frame scaled alike.
      RECT frame;
      GetWindowRect(window->Handle(), &frame);
      const auto scaled = [dpi, from = window->Layout().Dpi()](LONG length) {
        return MulDiv(length, static_cast<int>(dpi), static_cast<int>(from));
      };
      RECT suggested{frame.left, frame.top, frame.left + scaled(frame.right - frame.left),
                     frame.top + scaled(frame.bottom - frame.top)};
      SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
      for (const ControlDescription& control : window->Layout().Description().controls) {
        EXPECT_TRUE(TextFits(window->Layout(), control));
        const HWND handle = window->Layout().Control(control.name);
        if (!control.hidden) {
          EXPECT_TRUE(InsideItsParent(handle)) << control.name;
        }
      }
    }
  }
}

TEST(MainWindow, LabelsFitTheirText) {
  ProgramWindows windows;
  const TForm1& form = windows.Main();
  const RECT empty = RectInClient(form.Label8.Handle());
  form.Label8.SetText("Balayage : 0.001 s");
  const RECT oneLine = RectInClient(form.Label8.Handle());
  EXPECT_EQ(empty.right - empty.left, 0);
  EXPECT_GT(oneLine.right - oneLine.left, 40);
  EXPECT_EQ(oneLine.left, empty.left);
  form.Label9.SetText("Amplitude CH 1 : 50 mV\rCH2 : 5000 mV");
  const RECT twoLines = RectInClient(form.Label9.Handle());
  EXPECT_GT(twoLines.bottom - twoLines.top, oneLine.bottom - oneLine.top);
}

TEST(MainWindow, MenuBar) {
  ProgramWindows windows;
  const HMENU bar = GetMenu(windows.Main().Handle());
  ASSERT_EQ(GetMenuItemCount(bar), 4);
  wchar_t text[64];
  const wchar_t* const bars[] = {L"Fichier", L"Affichage", L"Debug", L"?"};
  for (int i = 0; i < 4; ++i) {
    GetMenuStringW(bar, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, bars[i]);
  }
  EXPECT_EQ(GetSubMenu(bar, 3), nullptr);

  // The shortcuts are told after a tab, where Windows aligns them.
  const HMENU file = GetSubMenu(bar, 0);
  const wchar_t* const items[] = {L"Enregistrer le tableau…\tCtrl+S", L"Copier le tableau\tCtrl+C",
                                  L"Ajouter à Zuruzevu (nouvelle page)", L"", L"Quitter"};
  ASSERT_EQ(GetMenuItemCount(file), 5);
  for (int i = 0; i < 5; ++i) {
    GetMenuStringW(file, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, items[i]);
  }
  EXPECT_TRUE(GetMenuState(file, 3, MF_BYPOSITION) & MF_SEPARATOR);

  const HMENU view = GetSubMenu(bar, 1);
  ASSERT_EQ(GetMenuItemCount(view), 1);
  EXPECT_EQ(GetMenuItemID(view, 0), static_cast<UINT>(IDM_SHOW_CURVE));
  GetMenuStringW(view, 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Courbe\tCtrl+G");

  const HMENU debug = GetSubMenu(bar, 2);
  ASSERT_EQ(GetMenuItemCount(debug), 2);
  EXPECT_EQ(GetMenuItemID(debug, 0), static_cast<UINT>(IDM_DEBUG_ON));
  GetMenuStringW(debug, 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"On");
  GetMenuStringW(debug, 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Off");
}

TEST(DebugMode, OnAndOffSetTheOuterWidthAndThePanel) {
  ProgramWindows windows;
  const TForm1& form = windows.Main();
  const HWND window = form.Handle();
  const int height = OuterHeight(window);
  std::vector<RECT> before;
  for (const Control& control : AlwaysShown(form)) before.push_back(RectInClient(control.Handle()));

  ChooseMenu(form, IDM_DEBUG_ON);
  EXPECT_EQ(OuterWidth(window), 844);
  EXPECT_EQ(OuterHeight(window), height);
  for (const Control& control : DebugPanel(form)) EXPECT_TRUE(control.Visible());

  // The user resizes; On sets 844 again, also when already in debug mode.
  SetWindowPos(window, nullptr, 0, 0, 500, height + 40, SWP_NOMOVE | SWP_NOZORDER);
  ChooseMenu(form, IDM_DEBUG_ON);
  EXPECT_EQ(OuterWidth(window), 844);
  EXPECT_EQ(OuterHeight(window), height + 40);

  ChooseMenu(form, IDM_DEBUG_OFF);
  EXPECT_EQ(OuterWidth(window), 200);
  for (const Control& control : DebugPanel(form)) EXPECT_FALSE(control.Visible());
  ChooseMenu(form, IDM_DEBUG_OFF);
  EXPECT_EQ(OuterWidth(window), 200);

  const std::vector<Control> shown = AlwaysShown(form);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    EXPECT_TRUE(shown[i].Visible());
    const RECT after = RectInClient(shown[i].Handle());
    EXPECT_TRUE(EqualRect(&before[i], &after)) << i;
  }
  EXPECT_TRUE(form.Button3.Enabled());
  EXPECT_FALSE(form.Button4.Enabled());
  EXPECT_FALSE(form.ProgressBar1.Visible());
}

TEST(DebugMode, TextsWrittenWhileHiddenAreThereWhenShown) {
  ProgramWindows windows;
  const TForm1& form = windows.Main();
  form.Label1.SetText("recv2");
  form.Label7.SetText("READ DATA : 20116/20116");
  form.RichEdit1.SetText("\r1 : 00 1F 66");
  form.RichEdit2.SetText("144e00000000000000000000");
  form.RichEdit3.SetText("\r0.001 : 5");
  form.Memo1.AppendLine("2E-6\t5\t-2.4");

  ChooseMenu(form, IDM_DEBUG_ON);
  EXPECT_TRUE(IsWindowVisible(form.Label7.Handle()));
  EXPECT_EQ(form.Label1.Text(), "recv2");
  EXPECT_EQ(form.Label7.Text(), "READ DATA : 20116/20116");
  RECT label;
  GetClientRect(form.Label7.Handle(), &label);
  EXPECT_GT(label.right, 60);  // sized to the text written while hidden
  EXPECT_TRUE(IsWindowVisible(form.RichEdit1.Handle()));
  EXPECT_EQ(form.RichEdit1.Text(), "\r1 : 00 1F 66");
  EXPECT_EQ(form.RichEdit2.Text(), "144e00000000000000000000");
  EXPECT_EQ(form.RichEdit3.Text(), "\r0.001 : 5");
  EXPECT_EQ(form.Memo1.Text(), "t\tU1\tU2\r\ns\tmV\tmV\r\n2E-6\t5\t-2.4\r\n");
}

HWND AfterTab(HWND form, bool backwards = false) {
  MSG key{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  if (backwards) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    IsDialogMessageW(form, &key);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  } else {
    IsDialogMessageW(form, &key);
  }
  Pump();
  return GetFocus();
}

TEST(FocusOrder, TabFollowsTheCommandsThenTheDebugPanel) {
  ProgramWindows windows;
  const TForm1& form = windows.Main();
  const HWND window = form.Handle();

  // Normal mode, right after start-up: "Connexion" is the only control that takes the focus.
  SetFocus(form.Button3.Handle());
  EXPECT_EQ(AfterTab(window), form.Button3.Handle());

  form.Button4.SetEnabled(true);
  form.Button5.SetEnabled(true);
  ChooseMenu(form, IDM_DEBUG_ON);
  SetFocus(form.Button3.Handle());
  const HWND expected[] = {form.Button4.Handle(),   form.Button5.Handle(),
                           form.RichEdit1.Handle(), form.RichEdit2.Handle(),
                           form.RichEdit3.Handle(), form.Memo1.Handle(),
                           form.Button3.Handle()};
  for (HWND next : expected) EXPECT_EQ(AfterTab(window), next);
  EXPECT_EQ(AfterTab(window, true), form.Memo1.Handle());

  // Tab leaves a text box instead of typing into it.
  SetFocus(form.Memo1.Handle());
  EXPECT_EQ(AfterTab(window), form.Button3.Handle());
  EXPECT_EQ(form.Memo1.Text(), "t\tU1\tU2\r\ns\tmV\tmV\r\n");
}

TEST(FocusOrder, EscInATextBoxLeavesTheWindowOpenAndTheTableWhole) {
  ProgramWindows windows;
  const TForm1& form = windows.Main();
  ChooseMenu(form, IDM_DEBUG_ON);
  form.Memo1.AppendLine("2E-6\t5\t-2.4");
  for (const Control& box : {Control(form.RichEdit1), Control(form.RichEdit2),
                             Control(form.RichEdit3), Control(form.Memo1)}) {
    // The key as the keyboard brings it, through the program's message loop.
    SetFocus(box.Handle());
    PostMessageW(box.Handle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(box.Handle(), WM_KEYUP, VK_ESCAPE, 0xC0010001);
    Pump();
    MSG quit;
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << box.Text();
  }
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  EXPECT_EQ(form.Memo1.Text(), "t\tU1\tU2\r\ns\tmV\tmV\r\n2E-6\t5\t-2.4\r\n");
  EXPECT_EQ(form.RichEdit1.Text(), "RichEdit1");
  EXPECT_EQ(form.RichEdit3.Text(), "RichEdit3");
}

// Notes whether the main window takes input again at the moment the box hides.
LRESULT CALLBACK NoteOwnerEnabledAtHide(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR enabled) {
  if (message == WM_SHOWWINDOW && wParam == FALSE) {
    *reinterpret_cast<bool*>(enabled) = IsWindowEnabled(Form1->Handle()) != FALSE;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

TEST(AboutCommand, ShowsTheAboutBoxModallyAndReturnsWhenItCloses) {
  ProgramWindows windows;
  const TForm1& form = windows.Main();
  const HWND about = windows.About().Handle();
  wchar_t caption[32];
  GetWindowTextW(about, caption, 32);
  EXPECT_STREQ(caption, L"A propos");
  EXPECT_FALSE(IsWindowVisible(about));
  const UINT dpi = WindowDpi(about);
  EXPECT_EQ(OuterWidth(about), ScaleForDpi(265, dpi));
  EXPECT_EQ(OuterHeight(about), ScaleForDpi(174, dpi));

  // Owned by the main window, the box has no taskbar button of its own.
  EXPECT_EQ(GetWindow(about, GW_OWNER), form.Handle());

  bool mainEnabledMeanwhile = true;
  bool mainEnabledAsTheBoxHides = false;
  SetWindowSubclass(about, NoteOwnerEnabledAtHide, 1,
                    reinterpret_cast<DWORD_PTR>(&mainEnabledAsTheBoxHides));
  std::thread user([&] {
    for (int i = 0; i < 200 && !IsWindowVisible(about); ++i) Sleep(10);
    mainEnabledMeanwhile = IsWindowEnabled(form.Handle());
    PostMessageW(about, WM_CLOSE, 0, 0);
  });
  ChooseMenu(form, IDM_ABOUT);  // returns once the box has been closed
  user.join();
  RemoveWindowSubclass(about, NoteOwnerEnabledAtHide, 1);

  EXPECT_FALSE(mainEnabledMeanwhile);
  EXPECT_FALSE(IsWindowVisible(about));
  // Enabled before the box went, the main window is the one the system activates, rather than
  // another program's.
  EXPECT_TRUE(mainEnabledAsTheBoxHides);
  EXPECT_EQ(GetActiveWindow(), form.Handle());
  EXPECT_TRUE(IsWindowEnabled(form.Handle()));
  EXPECT_TRUE(form.Button3.Enabled());
  EXPECT_FALSE(form.Button4.Enabled());
}

}  // namespace
}  // namespace talvorne
