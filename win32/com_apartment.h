// The GUI thread's COM apartment, for the handlers of the shell that are COM objects, such as a
// Store mail app opening the mail link: single-threaded, as a thread with windows must be, and
// without OLE 1's DDE, which the program's own DDE does not need.
#pragma once

namespace talvorne {

class ComApartment {
 public:
  // Enters the apartment, unless the thread is already in one of another kind.
  ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  // Leaves it, when it was entered.
  ~ComApartment();

 private:
  bool entered_;
};

}  // namespace talvorne
