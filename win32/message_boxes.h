// The three forms in which messages reach the user, all modal and centred on the screen.
#pragma once

#include <string_view>

namespace talvorne {

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
