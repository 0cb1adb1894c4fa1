// Every French text the hand-off to Zuruzevu shows.
#pragma once

#include <string_view>

namespace talvorne::handoff_texts {

// The send's plain message boxes.
inline constexpr std::string_view kCannotStart1 = "Impossible de lancer Zuruzevu1";
inline constexpr std::string_view kCannotStart2 = "Impossible de lancer Zuruzevu2";
inline constexpr std::string_view kTransferNotDone = "Transfert non exécuté";

// Errors that reach the default error box.
inline constexpr char kWrongValueType[] = "Type de données incorrect pour '%s'";

// The error boxes of the program's own DDE service.
inline constexpr std::string_view kUnknownFunction = "RS232 Fonction Inconnue : ";
inline constexpr std::string_view kMacroSyntaxError = "RS232 : erreur syntaxe macro DDE";
inline constexpr std::string_view kOneMessageAtATime = "Un message à la fois SVP";

// Why the DDE instance could not be made; start-up ends with one of them.
inline constexpr char kDdeOutOfMemory[] = "Erreur apparue suite à un manque de mémoire DDE ($0%x)";
inline constexpr char kDdeNoConversation[] = "Erreur DDE - Conversation non établie ($0%x)";
inline constexpr char kDdeError[] = "Une erreur a été renvoyée par DDE ($0%x)";

}  // namespace talvorne::handoff_texts
