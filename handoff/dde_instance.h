// The program's one registration with the DDE management library: an ANSI instance made at
// start-up before any window, carrying both the client conversations with Zuruzevu and the
// program's own service, registered under the executable's name for as long as the instance
// lives. Its end ends the conversations still open. Every transaction reaching its callback goes to
// the one participant that carries those conversations, the DDE form.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <stdexcept>

namespace talvorne {

struct DdeTransaction {
  UINT type;
  UINT format;
  HCONV conversation;
  HSZ hsz1;
  HSZ hsz2;
  HDDEDATA data;
  ULONG_PTR data1;
  ULONG_PTR data2;
};

class DdeParticipant {
 public:
  virtual ~DdeParticipant() = default;
  // The callback's answer to the transaction.
  virtual HDDEDATA Answer(const DdeTransaction& transaction) = 0;
};

// The instance could not be made; the message says why, with the library's error code.
class DdeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class DdeInstance {
 public:
  DdeInstance();  // throws DdeError
  DdeInstance(const DdeInstance&) = delete;
  DdeInstance& operator=(const DdeInstance&) = delete;
  ~DdeInstance();

  DWORD Id() const { return id_; }
  // The program's service name; null when the executable's name gives none.
  HSZ ServiceName() const { return serviceName_; }
  // Null: transactions are answered "nothing" until a participant is set again.
  void SetParticipant(DdeParticipant* participant) { participant_ = participant; }

 private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ hsz1, HSZ hsz2,
                                    HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);

  DWORD id_ = 0;
  HSZ serviceName_ = nullptr;
  DdeParticipant* participant_ = nullptr;
};

// The instance while it exists.
extern DdeInstance* ProgramDdeInstance;

}  // namespace talvorne
