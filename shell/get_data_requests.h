// Another program's GETDATA, once acknowledged, always ends in a table sent or in the box of a
// failed acquisition, and never runs inside work that dispatches messages while it waits:
// - during the user's own acquisition (its exchange, its boxes, its pause), that acquisition's
//   table is sent, as for a "Régressi" clicked then;
// - during another GETDATA, or during a send, a box, a dialog or the about box, it is held, and
//   runs once when that work has ended, however often it came meanwhile.
// Once the window has closed, none runs.
#pragma once

#include <functional>
#include <utility>

#include "shell/acquisition_gate.h"
#include "win32/one_at_a_time.h"

namespace talvorne {

class GetDataRequests {
 public:
  // fetch: an acquisition whose table is then sent.
  GetDataRequests(AcquisitionGate& acquisition, std::function<void()> fetch)
      : acquisition_(acquisition), fetch_(std::move(fetch)) {}

  // modalWorkRunning: a send, a box, a dialog or a modal window is under way.
  void Request(bool modalWorkRunning) {
    if (stopped_) return;
    if (!fetches_.Running() && acquisition_.Running()) {
      acquisition_.Request(TableCommand::kRegressi);
      return;
    }
    if (fetches_.Running() || modalWorkRunning) {
      held_ = true;
      return;
    }
    // An error ends the run, and the request held with it: its box has told the user.
    fetches_.Run([&] {
      do {
        held_ = false;
        fetch_();
      } while (held_ && !stopped_);
    });
  }

  // The modal work has ended: the GETDATA held, if any, runs now.
  void ModalWorkEnded(bool modalWorkRunning) {
    if (std::exchange(held_, false)) Request(modalWorkRunning);
  }

  // The window is closing: what is held, and whatever comes later, is dropped.
  void Stop() {
    stopped_ = true;
    held_ = false;
  }

 private:
  AcquisitionGate& acquisition_;
  std::function<void()> fetch_;
  OneAtATime fetches_;
  bool held_ = false;
  bool stopped_ = false;
};

}  // namespace talvorne
