// The words for a DDE management library error code, when the program's DDE instance cannot be
// made.
#pragma once

#include <string>

namespace talvorne {

// The code follows in hexadecimal, as in "Une erreur a été renvoyée par DDE ($04009)".
std::string DdeErrorText(unsigned code);

}  // namespace talvorne
