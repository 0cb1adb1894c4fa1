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

  std::string label1;     // "recv2"
  std::string label2;     // send status
  std::string label3;     // header status
  std::string label4;     // "READ : h/12"
  std::string label5;     // "WRITE : w/10"
  std::string label6;     // record status
  std::string label7;     // "READ DATA : d/L"
  std::string headerHex;  // RichEdit2: OctetsEnHexa of the header bytes

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
