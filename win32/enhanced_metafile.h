// A drawing recorded as an enhanced metafile, which a word processor scales without blurring it.
#pragma once

#include <windows.h>

#include <functional>

#include "win32/owned_handles.h"

namespace talvorne {

// Recorded at that size in the screen's pixels, and framed at it; throws "Ressources système
// insuffisantes" when the system refuses.
OwnedEnhMetafile RecordEnhMetafile(SIZE size, const std::function<void(HDC)>& draw);

}  // namespace talvorne
