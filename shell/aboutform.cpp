#include "shell/aboutform.h"

#include <shellapi.h>

#include <vector>

#include "resources/resource_ids.h"
#include "shell/about_texts.h"
#include "shell/shell_texts.h"
#include "win32/dll_loading.h"
#include "win32/message_loop.h"
#include "win32/owned_handles.h"
#include "win32/program_path.h"
#include "win32/text_encoding.h"

namespace talvorne {

Taboutform* aboutform = nullptr;

namespace {

// The day of the file's last change, in the local time of that day.
CalendarDate LocalModificationDate(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  SYSTEMTIME universal, local;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes) ||
      !FileTimeToSystemTime(&attributes.ftLastWriteTime, &universal) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
    throw std::runtime_error(texts::kProgramDateUnreadable);
  }
  return {local.wYear, local.wMonth, local.wDay};
}

}  // namespace

Taboutform::Taboutform(HINSTANCE instance, const VisualStyle& style, const FormatSettings& settings,
                       HWND owner)
    : Window(style), settings_(settings) {
  Create(instance, kAboutFormLayout, nullptr, owner);
  const ControlLayout& layout = Layout();
  Image1 = Control(layout.Control("Image1"));
  Label1 = Control(layout.Control("Label1"));
  versionlabel = Label(layout.Control("versionlabel"));
  Datelabel = Label(layout.Control("Datelabel"));
  Label2 = Label(layout.Control("Label2"));
}

void Taboutform::ShowModal() {
  RunModal(Handle());
}

void Taboutform::FormActivate() {
  // Nothing here is worth a message: a label that cannot be written keeps its text.
  try {
    const CalendarDate date = LocalModificationDate(ProgramPath());
    Datelabel.SetText(texts::kDatePrefix +
                      FormatDayMonthYear(date, settings_.abbreviatedMonthNames));
    versionlabel.SetText(texts::kVersionPrefix + VersionFichier());
  } catch (...) {
  }
}

void Taboutform::Label2Click() {
  // Without a mail program nothing opens, and nothing is said.
  ShellExecuteW(Handle(), L"OPEN", Widen("mailto:" + Label2.Text()).c_str(), nullptr, nullptr,
                SW_SHOW);
}

std::string Taboutform::VersionFichier() const {
  // version.dll is not among the DLLs Windows only ever takes from System32: imported, it would be
  // loaded from the program's folder first. So it is loaded from System32, when the box needs it.
  const OwnedModule library(LoadDll(L"version.dll", DllFolders::kSystem32));
  const auto infoSize = ExportedFunction<decltype(&GetFileVersionInfoSizeW)>(
      library.get(), "GetFileVersionInfoSizeW");
  const auto info =
      ExportedFunction<decltype(&GetFileVersionInfoW)>(library.get(), "GetFileVersionInfoW");
  const auto query = ExportedFunction<decltype(&VerQueryValueW)>(library.get(), "VerQueryValueW");
  if (infoSize == nullptr || info == nullptr || query == nullptr) {
    throw EAccessViolation(texts::kNoVersionInformation);
  }

  const std::wstring path = ProgramPath();
  DWORD ignored = 0;
  const DWORD size = infoSize(path.c_str(), &ignored);
  if (size == 0) throw EAccessViolation(texts::kNoVersionInformation);
  std::vector<std::byte> information(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (!info(path.c_str(), 0, size, information.data()) ||
      !query(information.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
      fixedSize < sizeof(VS_FIXEDFILEINFO)) {
    throw EAccessViolation(texts::kNoVersionInformation);
  }
  return FileVersionText(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
}

LRESULT Taboutform::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
      break;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == Label2.Handle() && HIWORD(wParam) == STN_CLICKED) {
        Label2Click();
      }
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == Label2.Handle()) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      Hide();
      return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace talvorne
