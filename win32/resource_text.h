// The bytes of a text kept among a module's resources.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

namespace talvorne {

// Nothing when the module has no such resource.
inline std::optional<std::string_view> ResourceText(HMODULE module, const wchar_t* name,
                                                    const wchar_t* type) {
  const HRSRC resource = FindResourceW(module, name, type);
  const HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return std::nullopt;
  return std::string_view(static_cast<const char*>(data), SizeofResource(module, resource));
}

}  // namespace talvorne
