#include "shell/window_message_pump.h"

#include <windows.h>

#include "win32/message_loop.h"

namespace talvorne {

std::uint32_t WindowMessagePump::TickCount() {
  return GetTickCount();
}

bool WindowMessagePump::ProcessPendingMessages() {
  return talvorne::ProcessPendingMessages();
}

void WindowMessagePump::WaitForMessages(std::uint32_t timeoutMs) {
  MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace talvorne
