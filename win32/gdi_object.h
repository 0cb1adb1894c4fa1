// Owns a GDI object (font, brush) so that no path leaks it.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace talvorne {

struct GdiObjectDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};

template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

using OwnedFont = GdiObject<HFONT>;
using OwnedBrush = GdiObject<HBRUSH>;

}  // namespace talvorne
