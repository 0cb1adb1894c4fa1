// How an error that escaped a handler is worded in the default error box.
#pragma once

#include <string>

namespace talvorne {

// The message with a "." appended when its last character sorts after "." (a letter or a digit,
// but not ".", "!", "," or a blank).
inline std::string WithFinalPeriod(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

}  // namespace talvorne
