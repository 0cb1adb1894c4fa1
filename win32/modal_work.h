// Work during which the program goes on dispatching messages while it waits on the user or on
// another program: a message box, a dialog, a modal window, a send's DDE transactions (Windows
// dispatches input and posted messages inside them). What other programs ask for meanwhile waits
// until it has ended, so that it never runs inside such a loop.
#pragma once

#include <windows.h>

namespace talvorne {

class ModalWork {
 public:
  ModalWork();
  ModalWork(const ModalWork&) = delete;
  ModalWork& operator=(const ModalWork&) = delete;
  ~ModalWork();

  // Some modal work has begun and not ended yet.
  static bool Running();
};

// While it lives, the window is posted the message each time the last running modal work ends,
// for the work it held back to run from the message loop.
class ModalWorkEndNotice {
 public:
  ModalWorkEndNotice(HWND window, UINT message);
  ModalWorkEndNotice(const ModalWorkEndNotice&) = delete;
  ModalWorkEndNotice& operator=(const ModalWorkEndNotice&) = delete;
  ~ModalWorkEndNotice();

 private:
  friend class ModalWork;
  HWND window_;
  UINT message_;
};

}  // namespace talvorne
