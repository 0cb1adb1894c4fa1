// What the device link knows of a model of oscilloscope: how it is recognised and set up over USB,
// its one exchange, and how its record is laid out. The host always speaks first: a start
// command, then a reply header announcing the record length L, then the L-byte waveform record,
// all as bulk transfers. Another model is one more entry of kKnownOscilloscopes.
#pragma once

#include <cstdint>
#include <span>

#include "decoding/waveform_record.h"

namespace talvorne {

struct OscilloscopeProfile {
  std::uint16_t vendorId;
  std::uint16_t productId;

  int configuration;
  int interfaceNumber;  // claimed, and released when the oscilloscope is let go
  int alternateSetting;
  int releasedInterface;  // released when the alternate setting is refused

  int commandEndpoint;  // bulk OUT, the start command
  int replyEndpoint;    // bulk IN, header and record

  std::span<const char> startCommand;
  // Bytes 0 to 2 hold L, unsigned 24-bit little-endian; the others are only shown.
  int replyHeaderSize;

  int commandTimeoutMs;
  int headerTimeoutMs;
  int recordTimeoutMs;

  RecordFormat recordFormat;
};

// "START" as 16-bit little-endian code units, no terminator.
inline constexpr char kOriginalStartCommand[] = {'S', 0, 'T', 0, 'A', 0, 'R', 0, 'T', 0};

// The model the program was made for.
inline constexpr OscilloscopeProfile kOriginalOscilloscope = {
    .vendorId = 0x5345,
    .productId = 0x1234,
    .configuration = 1,
    .interfaceNumber = 0,
    // Its set-up asks for alternate setting -1 and, when that is refused, releases interface -1
    // (not the claimed 0); the instrument works either way.
    .alternateSetting = -1,
    .releasedInterface = -1,
    .commandEndpoint = 0x03,  // bulk OUT 3
    .replyEndpoint = 0x81,    // bulk IN 1
    .startCommand = kOriginalStartCommand,
    .replyHeaderSize = 12,
    .commandTimeoutMs = 2000,
    .headerTimeoutMs = 2000,
    .recordTimeoutMs = 5000,
    .recordFormat = kOriginalRecordFormat,
};

// The models Connexion looks for.
inline constexpr OscilloscopeProfile kKnownOscilloscopes[] = {kOriginalOscilloscope};

}  // namespace talvorne
