// The client calls of the DDE management library, made through the program's DDE instance.
#pragma once

#include "handoff/dde_client_library.h"
#include "handoff/dde_instance.h"

namespace talvorne {

class DdemlClient final : public DdeClientLibrary {
 public:
  explicit DdemlClient(const DdeInstance& instance) : instance_(instance) {}

  StringHandle CreateStringHandle(std::string_view text) override;
  void FreeStringHandle(StringHandle handle) override;
  Conversation Connect(StringHandle service, StringHandle topic) override;
  unsigned ConversationFormat(Conversation conversation) override;
  void SetUserHandle(Conversation conversation, const void* owner) override;
  void Disconnect(Conversation conversation) override;
  bool StartAdvise(Conversation conversation, StringHandle item, unsigned format,
                   unsigned timeoutMs) override;
  std::optional<std::string> Request(Conversation conversation, StringHandle item, unsigned format,
                                     unsigned timeoutMs) override;
  bool StartExecute(Conversation conversation, std::string_view bytes, unsigned format) override;

 private:
  const DdeInstance& instance_;
};

}  // namespace talvorne
