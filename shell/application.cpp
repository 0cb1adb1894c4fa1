#include "shell/application.h"

#include <commctrl.h>
#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <typeinfo>

#include "handoff/dde_instance.h"
#include "shell/format_settings.h"
#include "shell/program_style.h"
#include "shell/three_windows.h"
#include "win32/com_apartment.h"
#include "win32/dll_loading.h"
#include "win32/message_boxes.h"
#include "win32/message_loop.h"

namespace talvorne {

void InitialiseApplication() {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  // The rich-text boxes' window class lives in this system library.
  if (LoadDll(L"riched20.dll", DllFolders::kSystem32) == nullptr) {
    throw std::runtime_error("Impossible de charger riched20.dll");
  }
}

namespace {

// "talvorne::LayoutError : Description de fenêtre introuvable : FORM1"
std::string NameAndMessage(const std::exception& error) {
  int status = 0;
  const std::unique_ptr<char, decltype(&std::free)> name(
      abi::__cxa_demangle(typeid(error).name(), nullptr, nullptr, &status), &std::free);
  return std::string(status == 0 ? name.get() : typeid(error).name()) + " : " + error.what();
}

int RunStartedProgram(HINSTANCE instance, int showCommand) {
  LimitDllSearchToSystem32();  // before anything loads a DLL by its name
  // A program started by its bare name, as Zuruzevu may be, never comes from the current folder.
  SetEnvironmentVariableW(L"NoDefaultCurrentDirectoryInExePath", L"1");
  const ComApartment com;  // before any window, left after the last
  const FormatSettings settings = ReadUserFormatSettings();
  DdeInstance dde;  // before any window
  InitialiseApplication();
  const VisualStyle style = ApplyVisualStyle(instance);

  const ThreeWindows windows(instance, style, settings, dde);
  ShowWindow(Form1->Handle(), showCommand);
  UpdateWindow(Form1->Handle());
  RunMessageLoop();
  return 0;
}

}  // namespace

int RunTalvorne(HINSTANCE instance, int showCommand) {
  try {
    return RunStartedProgram(instance, showCommand);
  } catch (const std::exception& error) {
    ShowApplicationErrorBox(NameAndMessage(error));
    return 1;
  }
}

}  // namespace talvorne
