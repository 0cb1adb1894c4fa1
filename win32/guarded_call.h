// Handlers run under a guard: an error that escapes one is shown in the default error box and the
// program goes on, with every window as the handler left it.
#pragma once

#include <exception>

#include "win32/message_boxes.h"
#include "win32/win32_texts.h"

namespace talvorne {

template <class Handler>
void RunGuarded(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowDefaultErrorBox(error.what());
  } catch (...) {
    ShowDefaultErrorBox(win32_texts::kUnknownError);
  }
}

}  // namespace talvorne
