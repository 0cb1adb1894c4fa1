// The three forms in which messages reach the user, all modal and centred on the screen.
#pragma once

#include <windows.h>

#include <string_view>

namespace talvorne {

// While it lives, the boxes shown when that window is on screen are owned by it, or by the window
// it owns that is up over it (a modal window, an earlier box): they come to the front with the
// program, even after another program took the foreground, and only their owner waits for them.
// Shown without one, or while the window is not on screen yet, a box has no owner and every
// window of the thread waits for it.
class MessageBoxOwner {
 public:
  explicit MessageBoxOwner(HWND owner);
  MessageBoxOwner(const MessageBoxOwner&) = delete;
  MessageBoxOwner& operator=(const MessageBoxOwner&) = delete;
  ~MessageBoxOwner();

 private:
  HWND previous_;
};

// Caption: the application title; one "OK" button; no icon.
void ShowPlainMessage(std::string_view text);

enum class ErrorBoxButton { Ok, Fermer };

// Caption "Erreur"; the error icon; one button, "OK" or "Fer&mer".
void ShowErrorMessage(std::string_view text, ErrorBoxButton button);

// For an error that escaped a handler: the application title, the stop icon and an OK button;
// the message ends with a "." unless it already ends with a punctuation mark or a blank.
void ShowDefaultErrorBox(std::string_view message);

// For an error that stopped the start-up: caption "Erreur d'application".
void ShowApplicationErrorBox(std::string_view text);

}  // namespace talvorne
