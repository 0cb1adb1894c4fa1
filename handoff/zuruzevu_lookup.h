// Which Zuruzevu executable the program starts: chosen once, at start-up, from the registry values
// that Zuruzevu's installation writes, then the usual places, then the bare name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvorne {

// The Program Files folder of the running program (64-bit ones, since it is one), then that of
// 32-bit programs, where a 32-bit Zuruzevu is installed.
inline constexpr int kCsidlProgramFiles = 38;
inline constexpr int kCsidlProgramFilesX86 = 42;

struct RegistryValue {
  std::uint32_t type = 0;  // REG_SZ, REG_DWORD...
  std::vector<std::uint8_t> data;
};

// What the lookup asks of the system: the registry under HKEY_CURRENT_USER, the program's own
// folder, the shell's special folders and the file system.
class LookupPlatform {
 public:
  virtual ~LookupPlatform() = default;
  // Opens HKEY_CURRENT_USER\<key> with full access, creating it when it is missing, then reads the
  // value <name> of its subkey <subkey>, opened with full access but never created. Nothing when
  // either key cannot be opened or the value does not exist.
  virtual std::optional<RegistryValue> ReadSubkeyValue(std::wstring_view key,
                                                       std::wstring_view subkey,
                                                       std::wstring_view name) = 0;
  // The running executable's folder, ending in a backslash.
  virtual std::wstring ExecutableFolder() = 0;
  // A shell special folder (a CSIDL number) as a file-system path; empty when there is none.
  virtual std::wstring SpecialFolderPath(int csidl) = 0;
  // True for an existing file; false for a folder, an empty text or nothing. Relative paths are
  // taken from the current folder.
  virtual bool FileExists(const std::wstring& path) = 0;
};

// The path with one trailing backslash; an empty path stays empty.
std::wstring AjouteSeparateur(std::wstring path);

// The special folder with its trailing backslash, or empty.
std::wstring DossierSpecial(LookupPlatform& platform, int csidl);

// The executable to start as Zuruzevu. A "Path" value of a type other than text raises the error
// "Type de données incorrect pour 'Path'", and the later candidates are not tried.
std::wstring LocateZuruzevu(LookupPlatform& platform);

}  // namespace talvorne
