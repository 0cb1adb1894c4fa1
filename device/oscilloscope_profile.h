// What the oscilloscope offers over USB: how it is recognised and set up, and its one exchange.
// The host always speaks first: a start command, then a 12-byte reply header announcing the
// record length L, then the L-byte waveform record, all as bulk transfers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace talvorne::oscilloscope {

inline constexpr std::uint16_t kVendorId = 0x5345;
inline constexpr std::uint16_t kProductId = 0x1234;

inline constexpr int kConfiguration = 1;
inline constexpr int kInterface = 0;
// The instrument's set-up asks for alternate setting -1 and, when that is refused, releases
// interface -1 (not the claimed 0); the instrument works either way.
inline constexpr int kAlternateSetting = -1;
inline constexpr int kReleasedInterface = -1;

inline constexpr int kCommandEndpoint = 0x03;  // bulk OUT 3
inline constexpr int kReplyEndpoint = 0x81;    // bulk IN 1, header and record

// "START" as 16-bit little-endian code units, no terminator.
inline constexpr std::array<char, 10> kStartCommand = {'S', 0, 'T', 0, 'A', 0, 'R', 0, 'T', 0};
inline constexpr int kStartCommandSize = static_cast<int>(kStartCommand.size());

// Bytes 0 to 2 hold L, unsigned 24-bit little-endian; the other nine are only shown.
inline constexpr int kReplyHeaderSize = 12;

inline constexpr int kCommandTimeoutMs = 2000;
inline constexpr int kHeaderTimeoutMs = 2000;
inline constexpr int kRecordTimeoutMs = 5000;

}  // namespace talvorne::oscilloscope
