// The conversion's pause lets the commands run. A second acquisition then is refused, so that two
// tables never mix in Memo1, and a send waits until the table is complete, so that a partial table
// is never sent.
#pragma once

namespace talvorne {

class ConversionGate {
 public:
  bool Running() const { return running_; }

  // False when a conversion is already running: the new one must not start.
  bool TryBegin() {
    if (running_) return false;
    running_ = true;
    return true;
  }

  // True when the send may run now; otherwise it is held until the conversion ends.
  bool RequestSend() {
    if (running_) sendHeld_ = true;
    return !running_;
  }

  // The window is closing: nothing is sent after it has gone.
  void DropHeldSend() { sendHeld_ = false; }

  // The conversion has ended; true when a send held meanwhile should run now. A conversion that
  // failed leaves no complete table, so its held send is dropped.
  bool End(bool tableComplete) {
    const bool sendNow = sendHeld_ && tableComplete;
    running_ = false;
    sendHeld_ = false;
    return sendNow;
  }

 private:
  bool running_ = false;
  bool sendHeld_ = false;
};

}  // namespace talvorne
