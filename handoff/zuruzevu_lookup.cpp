#include "handoff/zuruzevu_lookup.h"

#include <stdexcept>

#include "decoding/placeholders.h"
#include "handoff/handoff_texts.h"

namespace talvorne {
namespace {

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;

// Stored UTF-16 text, up to its first NUL. References to environment variables are kept as they
// stand: the lookup takes the value literally.
std::wstring StoredText(const std::vector<std::uint8_t>& data) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    if (unit == L'\0') break;
    text.push_back(unit);
  }
  return text;
}

// The "Path" value of <key>\Zuruzevu; empty when there is none.
std::wstring ReadPath(LookupPlatform& platform, std::wstring_view key) {
  const auto value = platform.ReadSubkeyValue(key, L"Zuruzevu", L"Path");
  if (!value || value->data.empty()) return {};
  if (value->type != kRegSz && value->type != kRegExpandSz) {
    throw std::runtime_error(FillPlaceholders(handoff_texts::kWrongValueType, {"Path"}));
  }
  return StoredText(value->data);
}

}  // namespace

std::wstring AjouteSeparateur(std::wstring path) {
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path;
}

std::wstring DossierSpecial(LookupPlatform& platform, int csidl) {
  return AjouteSeparateur(platform.SpecialFolderPath(csidl));
}

std::wstring LocateZuruzevu(LookupPlatform& platform) {
  const auto names = [&](const std::wstring& candidate) {
    return !candidate.empty() && platform.FileExists(candidate);
  };
  if (std::wstring path = ReadPath(platform, L"Software\\Zuruzevu"); names(path)) return path;
  if (std::wstring path = ReadPath(platform, L"Software"); names(path)) return path;
  const std::wstring folder = platform.ExecutableFolder();
  for (const wchar_t* name : {L"Zuruzevu.exe", L"Zuruzevu2013.exe"}) {
    if (std::wstring path = folder + name; names(path)) return path;
  }
  for (const int programFiles : {kCsidlProgramFiles, kCsidlProgramFilesX86}) {
    const std::wstring installed =
        AjouteSeparateur(DossierSpecial(platform, programFiles) + L"Evariste\\Zuruzevu") +
        L"Zuruzevu.exe";
    if (names(installed)) return installed;
  }
  return L"Zuruzevu.exe";
}

}  // namespace talvorne
