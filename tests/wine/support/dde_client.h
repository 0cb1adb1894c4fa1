// A DDE client in the test process, talking to another program's service through DDEML as any
// other program would, and the raw DDE broadcast that looks for servers without DDEML.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvorne::testing {

class DdeClient {
 public:
  DdeClient();
  DdeClient(const DdeClient&) = delete;
  DdeClient& operator=(const DdeClient&) = delete;
  ~DdeClient();

  // Null service: any service. Null when nobody accepts.
  HCONV Connect(const char* service, const char* topic) const;
  void Disconnect(HCONV conversation) const { DdeDisconnect(conversation); }

  struct Outcome {
    bool completed = false;  // the transaction returned, as opposed to failed or timed out
    DWORD flags = 0;         // DDE_FACK when the server processed it
    DWORD tookMs = 0;
  };
  // A synchronous execute carrying the text and its terminating NUL.
  Outcome Execute(HCONV conversation, std::string_view text, DWORD timeoutMs = 20000) const;
  // An execute that is not waited for: its answer comes with the client's later messages.
  bool ExecuteWithoutWaiting(HCONV conversation, std::string_view text) const;
  Outcome Poke(HCONV conversation, const char* item, std::string_view text) const;
  // The text served for the item, or nothing.
  std::optional<std::string> Request(HCONV conversation, const char* item) const;

  // Whether the server has ended the conversation (rather than vanished); lets the client's
  // messages through first.
  bool EndedByServer(HCONV conversation) const;

 private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ, HSZ, HDDEDATA,
                                    ULONG_PTR, ULONG_PTR);
  HSZ String(const char* text) const;

  DWORD instance_ = 0;
};

// Broadcasts WM_DDE_INITIATE for any service on that topic (none: any topic) and returns the
// services that answered, each conversation ended at once.
std::vector<std::wstring> ServicesAnsweringInitiate(const wchar_t* topic);

}  // namespace talvorne::testing
