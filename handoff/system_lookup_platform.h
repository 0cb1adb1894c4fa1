// The lookup's questions answered by the system: registry, module path, shell folders, files.
#pragma once

#include "handoff/zuruzevu_lookup.h"

namespace talvorne {

class SystemLookupPlatform final : public LookupPlatform {
 public:
  std::optional<RegistryValue> ReadSubkeyValue(std::wstring_view key, std::wstring_view subkey,
                                               std::wstring_view name) override;
  std::wstring ExecutableFolder() override;
  std::wstring SpecialFolderPath(int csidl) override;
  bool FileExists(const std::wstring& path) override;
};

}  // namespace talvorne
