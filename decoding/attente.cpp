#include "decoding/attente.h"

namespace talvorne {

void Attente(std::uint32_t ms, MessagePump& pump) {
  const std::uint32_t start = pump.TickCount();
  while (pump.ProcessPendingMessages()) {
    const std::uint32_t elapsed = pump.TickCount() - start;  // unsigned: right across a wrap
    if (elapsed > ms) return;
    pump.WaitForMessages(ms - elapsed + 1);
  }
}

}  // namespace talvorne
