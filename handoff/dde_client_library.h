// The DDE management library's client calls, as the client conversation uses them: the program
// makes them through its DDE instance, the unit tests through a scripted stand-in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvorne {

class DdeClientLibrary {
 public:
  // Opaque handles of the library; null is "none".
  using StringHandle = struct DdeStringHandleTag*;
  using Conversation = struct DdeConversationTag*;

  virtual ~DdeClientLibrary() = default;

  // A handle of single-byte text (code page CP_WINANSI); null when it cannot be made.
  virtual StringHandle CreateStringHandle(std::string_view text) = 0;
  virtual void FreeStringHandle(StringHandle handle) = 0;
  // Null when no server answers.
  virtual Conversation Connect(StringHandle service, StringHandle topic) = 0;
  // The data format the conversation information names; 0 when it names none.
  virtual unsigned ConversationFormat(Conversation conversation) = 0;
  // Attaches a value to the conversation (null detaches).
  virtual void SetUserHandle(Conversation conversation, const void* owner) = 0;
  virtual void Disconnect(Conversation conversation) = 0;
  // A synchronous advise start that notifies changes without their data; true when accepted.
  virtual bool StartAdvise(Conversation conversation, StringHandle item, unsigned format,
                           unsigned timeoutMs) = 0;
  // A synchronous request; the text received, or nothing.
  virtual std::optional<std::string> Request(Conversation conversation, StringHandle item,
                                             unsigned format, unsigned timeoutMs) = 0;
  // Starts an execute transaction holding these bytes (their terminating NUL included) without
  // waiting for its acknowledgement; false when the data or the transaction could not be made.
  virtual bool StartExecute(Conversation conversation, std::string_view bytes, unsigned format) = 0;
};

}  // namespace talvorne
