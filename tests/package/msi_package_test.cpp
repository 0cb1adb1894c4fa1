// The MSI package as a school's IT department deploys it, in a Wine prefix of its own: a silent
// install puts the program, its licences and its guide in Program Files with Start-menu shortcuts
// to the program and the guide and an Add/Remove Programs entry whose help link opens the guide,
// and the installed program starts; a higher version replaces it; an older one is refused with a
// French message; the uninstall by product code takes away all the package brought.
// package_test.sh builds the packages and unpacks the portable zip, and names them here:
// TALVORNE_PACKAGE, TALVORNE_REBUILT (the same version built again) and TALVORNE_UPGRADE, with
// TALVORNE_PACKAGE_VERSION and TALVORNE_UPGRADE_VERSION as Add/Remove Programs shows them, and
// TALVORNE_PORTABLE.
#include <windows.h>

#include <knownfolders.h>
#include <msi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/wine/support/box_watcher.h"
#include "tests/wine/support/child_process.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

using namespace talvorne::testing;
namespace fs = std::filesystem;

// msiexec takes about a second under Wine.
constexpr auto kInstallTimeout = 60s;
constexpr DWORD kInstallFailure = 1603;
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::wstring Environment(const wchar_t* name) {
  wchar_t value[2048] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, 2048);
  if (length == 0 || length >= 2048) throw std::runtime_error("no " + Narrow(name) + " given");
  return value;
}

struct Package {
  std::wstring path;
  std::wstring version;
};

fs::path KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  SHGetKnownFolderPath(id, 0, nullptr, &path);
  fs::path result = path != nullptr ? path : L"";
  CoTaskMemFree(path);
  return result;
}

const fs::path& InstallFolder() {
  static const fs::path folder = KnownFolder(FOLDERID_ProgramFilesX64) / L"Talvorne";
  return folder;
}

const fs::path& InstalledGuide() {
  static const fs::path guide = InstallFolder() / L"Guide" / L"guide.html";
  return guide;
}

// A per-machine shortcut goes to the all-users Start menu; Wine puts it in the user's.
fs::path StartMenuShortcut(const wchar_t* name) {
  const bool underWine =
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return KnownFolder(underWine ? FOLDERID_Programs : FOLDERID_CommonPrograms) /
         (std::wstring(name) + L".lnk");
}

constexpr wchar_t kProgramShortcut[] = L"Talvorne";
constexpr wchar_t kGuideShortcut[] = L"Guide de Talvorne";

class Msiexec {
 public:
  explicit Msiexec(const std::wstring& arguments)
      : process_(SystemFolder() / L"msiexec.exe", std::nullopt, arguments) {}
  DWORD Id() const { return process_.Id(); }
  DWORD ExitCode() const { return process_.WaitForExit(kInstallTimeout).value_or(WAIT_TIMEOUT); }

 private:
  static fs::path SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return folder;
  }
  ChildProcess process_;
};

DWORD InstallSilently(const Package& package) {
  return Msiexec(L"/i \"" + package.path + L"\" /qn").ExitCode();
}

std::wstring StringValue(HKEY key, const std::wstring& subkey, const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(key, subkey.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return value;
}

struct UninstallEntry {
  std::wstring productCode;
  std::wstring version;
  std::wstring publisher;
  std::wstring contact;
  std::wstring helpLink;
};

// The Add/Remove Programs entries named Talvorne.
std::vector<UninstallEntry> TalvorneEntries() {
  HKEY uninstall = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | KEY_WOW64_64KEY, &uninstall) !=
      ERROR_SUCCESS) {
    return {};
  }
  std::vector<UninstallEntry> entries;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD length = 256;
    if (RegEnumKeyExW(uninstall, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    if (StringValue(uninstall, name, L"DisplayName") != L"Talvorne") continue;
    entries.push_back({name, StringValue(uninstall, name, L"DisplayVersion"),
                       StringValue(uninstall, name, L"Publisher"),
                       StringValue(uninstall, name, L"Contact"),
                       StringValue(uninstall, name, L"HelpLink")});
  }
  RegCloseKey(uninstall);
  return entries;
}

// The icon Add/Remove Programs shows for an installed package.
fs::path ProductIcon(const std::wstring& productCode) {
  wchar_t icon[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  MsiGetProductInfoW(productCode.c_str(), INSTALLPROPERTY_PRODUCTICON, icon, &length);
  return icon;
}

template <class Interface>
using ComPointer = std::unique_ptr<Interface, decltype([](Interface* p) { p->Release(); })>;

fs::path ShortcutTarget(const fs::path& shortcut) {
  IShellLinkW* made = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&made))))
    return {};
  const ComPointer<IShellLinkW> link(made);
  IPersistFile* file = nullptr;
  if (FAILED(link->QueryInterface(IID_PPV_ARGS(&file)))) return {};
  const ComPointer<IPersistFile> linkFile(file);
  wchar_t target[MAX_PATH] = {};
  if (FAILED(linkFile->Load(shortcut.c_str(), STGM_READ)) ||
      FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) {
    return {};
  }
  return target;
}

// Every file of a folder by its path inside it, with its size.
std::map<fs::path, std::uintmax_t> FilesOf(const fs::path& folder) {
  std::map<fs::path, std::uintmax_t> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), folder)] = entry.file_size();
  }
  return files;
}

void ExpectInstalled(const Package& package) {
  SCOPED_TRACE(Narrow(package.path));
  // The portable zip's folder and the installed one hold the same files: the program, its
  // licence files and its guide, and no libusb0.dll, which comes with the oscilloscope's driver.
  EXPECT_EQ(FilesOf(InstallFolder()), FilesOf(Environment(L"TALVORNE_PORTABLE")));
  EXPECT_EQ(ShortcutTarget(StartMenuShortcut(kProgramShortcut)), InstallFolder() / L"Talvorne.exe");
  EXPECT_EQ(ShortcutTarget(StartMenuShortcut(kGuideShortcut)), InstalledGuide());

  const std::vector<UninstallEntry> entries = TalvorneEntries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].version, package.version);
  EXPECT_EQ(entries[0].publisher, L"Talvorne");
  EXPECT_EQ(entries[0].contact, L"talvorne@example.org");
  EXPECT_EQ(fs::path(entries[0].helpLink), InstalledGuide());
  EXPECT_TRUE(fs::is_regular_file(ProductIcon(entries[0].productCode)));
}

void ExpectInstalledProgramRuns() {
  ChildProcess talvorne(InstallFolder() / L"Talvorne.exe");
  const HWND window = talvorne.WaitForWindow(L"Talvorne");
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(talvorne.WaitForExit(), std::optional<DWORD>(0));
}

TEST(MsiPackage, InstallsUpgradesRefusesADowngradeAndUninstallsWithoutATrace) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const Package first{Environment(L"TALVORNE_PACKAGE"), Environment(L"TALVORNE_PACKAGE_VERSION")};
  const Package rebuilt{Environment(L"TALVORNE_REBUILT"), first.version};
  const Package higher{Environment(L"TALVORNE_UPGRADE"), Environment(L"TALVORNE_UPGRADE_VERSION")};

  ASSERT_EQ(InstallSilently(first), 0u);
  ExpectInstalled(first);
  ExpectInstalledProgramRuns();
  const std::wstring firstProductCode = TalvorneEntries().at(0).productCode;

  // The same version rebuilt is the same product, which is not installed a second time beside
  // it (Windows refuses it, Wine installs it in its place).
  InstallSilently(rebuilt);
  ExpectInstalled(first);

  ASSERT_EQ(InstallSilently(higher), 0u);
  ExpectInstalled(higher);
  const std::wstring productCode = TalvorneEntries().at(0).productCode;
  EXPECT_NE(productCode, firstProductCode);
  EXPECT_FALSE(fs::exists(ProductIcon(firstProductCode)));

  {
    // With the installer's basic interface, the refusal is told in a box.
    const Msiexec downgrade(L"/i \"" + first.path + L"\" /qb");
    const BoxWatcher boxes(downgrade.Id());
    EXPECT_EQ(downgrade.ExitCode(), kInstallFailure);
    const std::vector<SeenBox> seen = boxes.Boxes();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text,
              L"Une version plus récente de Talvorne est déjà installée. Pour installer celle-ci, "
              L"désinstallez d'abord l'autre.");
  }
  ExpectInstalled(higher);

  const fs::path icon = ProductIcon(productCode);
  // The guide's silent uninstall, by the product code.
  ASSERT_EQ(Msiexec(L"/x " + productCode + L" /qn").ExitCode(), 0u);
  EXPECT_FALSE(fs::exists(InstallFolder()));
  EXPECT_FALSE(fs::exists(StartMenuShortcut(kProgramShortcut)));
  EXPECT_FALSE(fs::exists(StartMenuShortcut(kGuideShortcut)));
  EXPECT_TRUE(TalvorneEntries().empty());
  EXPECT_FALSE(fs::exists(icon));
  EXPECT_EQ(MsiQueryProductStateW(productCode.c_str()), INSTALLSTATE_UNKNOWN);
  CoUninitialize();
}

}  // namespace
}  // namespace talvorne
