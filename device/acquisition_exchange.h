// The first half of the Récupération command: start command, reply header, waveform record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/libusb.h"
#include "device/oscilloscope_profile.h"
#include "device/usb_library.h"

namespace talvorne {

// What one exchange did, for the debug panel and the conversion. A failed or short transfer does
// not stop it: the exchange always runs all three transfers and always yields a record, which
// becomes a table only if it arrived whole (acquisition_failure.h).
struct AcquisitionExchange {
  // The transfers' results as the library returned them: bytes moved or a negative error.
  int written = 0;
  int headerRead = 0;
  int recordRead = 0;

  // The debug panel's status texts, in the order the transfers make them.
  std::string writeCount;     // "WRITE : w/10"
  std::string sendStatus;     // "SEND" or "ERREUR send"
  std::string headerRequest;  // "recv2"
  std::string headerCount;    // "READ : h/12"
  std::string headerStatus;   // "RECV" or "Erreur recv"
  std::string headerHex;      // OctetsEnHexa of the header bytes
  std::string recordCount;    // "READ DATA : d/L"
  std::string recordStatus;   // "RECV DATA" or "Erreur recv data"

  // The header, of the profile's size, and the record, of exactly the L bytes the header
  // announced; bytes a read did not deliver are zero.
  std::vector<std::uint8_t> header;
  std::vector<std::uint8_t> record;
};

// Runs one exchange over handle as the model's profile says, with fresh zeroed header and record
// buffers; nothing at all (no transfer) without a handle, or a profile, from Connexion.
std::optional<AcquisitionExchange> RunAcquisitionExchange(UsbLibrary& library,
                                                          LibUSB::usb_dev_handle* handle,
                                                          const OscilloscopeProfile* profile);

}  // namespace talvorne
