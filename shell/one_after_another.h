// Work that another program may ask for again while it is still running: its pause and its boxes
// let messages through. A request that comes meanwhile has the same work run once more when the
// run has ended, never inside it; requests beyond the one already waiting add nothing.
#pragma once

#include "handoff/one_at_a_time.h"

namespace talvorne {

class OneAfterAnother {
 public:
  template <class Work>
  void Request(Work&& work) {
    if (stopped_) return;
    // An error ends the run, and the request waiting goes with it.
    const bool ran = runs_.Run([&] {
      do {
        waiting_ = false;
        work();
      } while (waiting_ && !stopped_);
    });
    if (!ran) waiting_ = true;
  }

  // The window is closing: the request waiting, and any that comes later, are dropped.
  void Stop() { stopped_ = true; }

 private:
  OneAtATime runs_;
  bool waiting_ = false;
  bool stopped_ = false;
};

}  // namespace talvorne
