// The conversion's pause: the window goes on handling its messages while time passes.
#pragma once

#include <cstdint>

namespace talvorne {

// What the pause needs of the window system.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  // The system's millisecond tick count, which wraps around every 2^32 ms.
  virtual std::uint32_t TickCount() = 0;
  // Handles every waiting message; false once the program has been asked to quit.
  virtual bool ProcessPendingMessages() = 0;
  // Sleeps until a message arrives or the time given has passed.
  virtual void WaitForMessages(std::uint32_t timeoutMs) = 0;
};

// Returns once more than ms milliseconds have passed since the call (the tick difference taken
// modulo 2^32), having handled the window's messages at least once. Between passes it sleeps
// until the next message or the end of the pause, so it does not keep a processor busy. It ends
// early when the program is asked to quit.
void Attente(std::uint32_t ms, MessagePump& pump);

}  // namespace talvorne
