// Handlers run under a guard: an error that escapes one is shown in the default error box and the
// program goes on, with every window as the handler left it.
#pragma once

#include <exception>

#include "shell/message_boxes.h"
#include "shell/shell_texts.h"

namespace talvorne {

template <class Handler>
void RunGuarded(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowDefaultErrorBox(error.what());
  } catch (...) {
    ShowDefaultErrorBox(texts::kUnknownError);
  }
}

}  // namespace talvorne
