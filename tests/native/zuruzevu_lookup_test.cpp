#include "handoff/zuruzevu_lookup.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>

namespace talvorne {
namespace {

constexpr std::uint32_t kRegSz = 1, kRegExpandSz = 2, kRegDword = 4;

RegistryValue Text(std::uint32_t type, std::wstring_view text) {
  RegistryValue value{type, {}};
  for (wchar_t unit : text) {
    value.data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    value.data.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  value.data.insert(value.data.end(), {0, 0});
  return value;
}

// Paths are compared as written, so a test names the exact candidates the lookup may test.
struct FakeSystem final : LookupPlatform {
  std::map<std::wstring, RegistryValue> pathValues;  // by key: L"Software\\Zuruzevu", L"Software"
  std::set<std::wstring> files;
  std::map<int, std::wstring> specialFolders = {{38, L"C:\\Program Files"},
                                                {42, L"C:\\Program Files (x86)"}};
  std::vector<std::wstring> tested;

  std::optional<RegistryValue> ReadSubkeyValue(std::wstring_view key, std::wstring_view subkey,
                                               std::wstring_view name) override {
    EXPECT_EQ(subkey, L"Zuruzevu");
    EXPECT_EQ(name, L"Path");
    const auto value = pathValues.find(std::wstring(key));
    if (value == pathValues.end()) return std::nullopt;
    return value->second;
  }
  std::wstring ExecutableFolder() override { return L"C:\\Classe\\"; }
  std::wstring SpecialFolderPath(int csidl) override { return specialFolders.at(csidl); }
  bool FileExists(const std::wstring& path) override {
    tested.push_back(path);
    return files.count(path) != 0;
  }
};

constexpr wchar_t kBeside[] = L"C:\\Classe\\Zuruzevu.exe";
constexpr wchar_t kBeside2013[] = L"C:\\Classe\\Zuruzevu2013.exe";
constexpr wchar_t kProgramFiles[] = L"C:\\Program Files\\Evariste\\Zuruzevu\\Zuruzevu.exe";
constexpr wchar_t kProgramFilesX86[] = L"C:\\Program Files (x86)\\Evariste\\Zuruzevu\\Zuruzevu.exe";

TEST(ZuruzevuLookup, TheFirstCandidateNamingAFileWinsInTheirOrder) {
  FakeSystem system;
  system.files = {L"D:\\Z\\z.exe", L"D:\\Y\\y.exe", kBeside,
                  kBeside2013,     kProgramFiles,   kProgramFilesX86};
  system.pathValues[L"Software\\Zuruzevu"] = Text(kRegSz, L"D:\\Z\\z.exe");
  system.pathValues[L"Software"] = Text(kRegSz, L"D:\\Y\\y.exe");
  EXPECT_EQ(LocateZuruzevu(system), L"D:\\Z\\z.exe");

  // A value naming a missing file or a folder is passed over silently; so is an expandable one,
  // whose variables are never expanded.
  system.pathValues[L"Software\\Zuruzevu"] = Text(kRegExpandSz, L"%ProgramFiles%\\Z\\z.exe");
  EXPECT_EQ(LocateZuruzevu(system), L"D:\\Y\\y.exe");
  EXPECT_EQ(system.tested.at(1), L"%ProgramFiles%\\Z\\z.exe");

  system.pathValues[L"Software"] = Text(kRegSz, L"D:\\Y");
  EXPECT_EQ(LocateZuruzevu(system), kBeside);
  system.files.erase(kBeside);
  EXPECT_EQ(LocateZuruzevu(system), kBeside2013);
  system.files.erase(kBeside2013);
  EXPECT_EQ(LocateZuruzevu(system), kProgramFiles);
  system.files.erase(kProgramFiles);
  EXPECT_EQ(LocateZuruzevu(system), kProgramFilesX86);
  system.files.clear();
  system.tested.clear();
  EXPECT_EQ(LocateZuruzevu(system), L"Zuruzevu.exe");  // chosen without a test
  EXPECT_EQ(system.tested,
            (std::vector<std::wstring>{L"%ProgramFiles%\\Z\\z.exe", L"D:\\Y", kBeside, kBeside2013,
                                       kProgramFiles, kProgramFilesX86}));
}

TEST(ZuruzevuLookup, ProgramFilesAtADriveRootOrMissing) {
  FakeSystem system;
  system.specialFolders[38] = L"E:\\";
  system.files = {L"E:\\Evariste\\Zuruzevu\\Zuruzevu.exe", L"Evariste\\Zuruzevu\\Zuruzevu.exe"};
  EXPECT_EQ(LocateZuruzevu(system), L"E:\\Evariste\\Zuruzevu\\Zuruzevu.exe");
  // Without the folder the candidate is relative, taken from the current folder.
  system.specialFolders[38].clear();
  EXPECT_EQ(LocateZuruzevu(system), L"Evariste\\Zuruzevu\\Zuruzevu.exe");
}

TEST(ZuruzevuLookup, ValuesAreTextUpToTheirFirstNulAndEmptyOnesAreNoCandidate) {
  FakeSystem system;
  system.files = {L"D:\\z.exe", kBeside};
  RegistryValue cut = Text(kRegSz, L"D:\\z.exe");
  cut.data.insert(cut.data.end(), {'x', 0, 0, 0});
  cut.data.push_back(0x41);  // an odd byte count
  system.pathValues[L"Software\\Zuruzevu"] = cut;
  EXPECT_EQ(LocateZuruzevu(system), L"D:\\z.exe");
  // Without its NUL, and with one odd byte after its last whole character.
  RegistryValue unterminated = Text(kRegSz, L"D:\\z.exe");
  unterminated.data.resize(unterminated.data.size() - 2);
  unterminated.data.push_back(0x41);
  system.pathValues[L"Software\\Zuruzevu"] = unterminated;
  EXPECT_EQ(LocateZuruzevu(system), L"D:\\z.exe");

  // An empty value of any type is simply empty: the next candidates are tried.
  system.pathValues[L"Software\\Zuruzevu"] = RegistryValue{kRegDword, {}};
  system.pathValues[L"Software"] = Text(kRegSz, L"");
  EXPECT_EQ(LocateZuruzevu(system), kBeside);
}

TEST(ZuruzevuLookup, AValueThatIsNotTextStopsTheLookup) {
  for (const wchar_t* key : {L"Software\\Zuruzevu", L"Software"}) {
    FakeSystem system;
    system.files = {kBeside};
    system.pathValues[key] = RegistryValue{kRegDword, {1, 0, 0, 0}};
    try {
      LocateZuruzevu(system);
      ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), "Type de données incorrect pour 'Path'");
    }
    EXPECT_TRUE(system.tested.empty());  // no later candidate is tried
  }
}

TEST(ZuruzevuLookup, AjouteSeparateurAddsOneBackslashToAnythingButEmpty) {
  EXPECT_EQ(AjouteSeparateur(L""), L"");
  EXPECT_EQ(AjouteSeparateur(L"C:\\Program Files"), L"C:\\Program Files\\");
  EXPECT_EQ(AjouteSeparateur(L"C:\\"), L"C:\\");
}

}  // namespace
}  // namespace talvorne
