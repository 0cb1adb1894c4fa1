// Work that must not start again inside itself. A synchronous DDE transaction and a modal box both
// keep dispatching messages, so a click or another program's command can arrive while the work
// that waits on them is still running.
#pragma once

namespace talvorne {

class OneAtATime {
 public:
  bool Running() const { return running_; }

  // Runs work unless a run is already in progress; false when it did not run.
  template <class Work>
  bool Run(Work&& work) {
    if (running_) return false;
    running_ = true;
    const Ended ended{running_};
    work();
    return true;
  }

 private:
  // The run is over however work ends, an error included.
  struct Ended {
    bool& running;
    ~Ended() { running = false; }
  };

  bool running_ = false;
};

}  // namespace talvorne
