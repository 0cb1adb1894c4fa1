// An acquisition lets messages through: its boxes, and the conversion's pause, during which the
// commands run. A second acquisition then is refused, so that two tables never mix in Memo1, and
// the commands that take the table (its sends to Zuruzevu, its copy and its saving) wait until it
// is complete, so that a partial table never leaves the program.
#pragma once

#include <algorithm>
#include <vector>

namespace talvorne {

enum class TableCommand { kRegressi, kAddToZuruzevu, kCopy, kSave };

class AcquisitionGate {
 public:
  bool Running() const { return running_; }

  // False when an acquisition is already running: the new one must not start.
  bool TryBegin() {
    if (running_) return false;
    running_ = true;
    return true;
  }

  // True when the command may run now; otherwise it is held, once however often it is asked for,
  // until the acquisition ends.
  bool Request(TableCommand command) {
    if (running_ && std::find(held_.begin(), held_.end(), command) == held_.end()) {
      held_.push_back(command);
    }
    return !running_;
  }

  // The window is closing: nothing is sent after it has gone.
  void DropHeldCommands() { held_.clear(); }

  // The acquisition has ended; the commands held meanwhile that should run now, in the order they
  // were asked for. One that brought no complete table leaves nothing to take, so they are dropped.
  std::vector<TableCommand> End(bool tableComplete) {
    std::vector<TableCommand> runNow;
    if (tableComplete) runNow.swap(held_);
    held_.clear();
    running_ = false;
    return runNow;
  }

 private:
  bool running_ = false;
  std::vector<TableCommand> held_;
};

}  // namespace talvorne
