// The pause's view of the window system: the tick count, the message queue, and a sleep that a
// message ends.
#pragma once

#include "decoding/attente.h"

namespace talvorne {

class WindowMessagePump : public MessagePump {
 public:
  std::uint32_t TickCount() override;
  bool ProcessPendingMessages() override;
  void WaitForMessages(std::uint32_t timeoutMs) override;
};

}  // namespace talvorne
