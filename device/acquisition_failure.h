// Only a whole record becomes a table: an acquisition that brought less leaves the table as it was
// and says why, so that the teacher never sends Zuruzevu a curve padded with zeros.
#pragma once

#include <optional>
#include <string>

#include "device/acquisition_exchange.h"

namespace talvorne {

struct AcquisitionFailure {
  std::string message;  // for the plain message box
  // The start command and the header read both failed: the oscilloscope is unplugged or off, and
  // its handle is dead. It is let go, so that Connexion can open it afresh once it is back.
  bool oscilloscopeLost = false;
};

// Nothing when the whole header and the L bytes it announced arrived; a refused start command
// alone does not count, since the instrument answered all the same.
std::optional<AcquisitionFailure> FailureOf(const AcquisitionExchange& exchange);

}  // namespace talvorne
