// The client side of a DDE conversation with Zuruzevu, opened only on demand (never by itself),
// with the one item it links to. Each send sets the link, opens it, sends one command and closes
// it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "handoff/dde_client_library.h"
#include "handoff/zuruzevu_starter.h"

namespace talvorne {

class TDdeClientItem;

class TDdeClientConv {
 public:
  TDdeClientConv(DdeClientLibrary& library, ZuruzevuStarter& starter);
  TDdeClientConv(const TDdeClientConv&) = delete;
  TDdeClientConv& operator=(const TDdeClientConv&) = delete;
  ~TDdeClientConv();

  // Single-byte texts, as the conversation names them to DDE.
  std::string DdeService = "Zuruzevu";
  std::string DdeTopic = "ServeurDDE";
  // The program started when nobody answers.
  std::wstring ServiceApplication = L"Zuruzevu";

  // Closes any conversation, then names the next one. Nothing is exchanged.
  void SetLink(std::string_view service, std::string_view topic);
  // Connects, starting ServiceApplication minimised when nobody answers, then links the item.
  // True when a conversation is open.
  bool OpenLink();
  // Hands the command to DDE without waiting for its acknowledgement; true when it was handed.
  bool ExecuteMacro(std::string_view command);
  // Ends the conversation and forgets the service and topic.
  void CloseLink();

  // The server says the linked item changed: ask for it again.
  void DataChange();

  DdeClientLibrary::Conversation Conversation() const { return conversation_; }

 private:
  friend class TDdeClientItem;

  void LinkItem();
  void RequestItem();
  void Attach(TDdeClientItem* item) { item_ = item; }

  DdeClientLibrary& library_;
  ZuruzevuStarter& starter_;
  TDdeClientItem* item_ = nullptr;
  DdeClientLibrary::StringHandle serviceHandle_ = nullptr;
  DdeClientLibrary::StringHandle topicHandle_ = nullptr;
  DdeClientLibrary::Conversation conversation_ = nullptr;
  unsigned format_ = 0;
};

class TDdeClientItem {
 public:
  explicit TDdeClientItem(TDdeClientConv& DdeConv);
  TDdeClientItem(const TDdeClientItem&) = delete;
  TDdeClientItem& operator=(const TDdeClientItem&) = delete;
  ~TDdeClientItem();

  const std::string& DdeItem() const { return name_; }
  // Records the item's name; it is linked when the conversation opens.
  void SetDdeItem(std::string_view name) { name_ = name; }
  // The text last received for the item, as received.
  const std::vector<std::string>& Lines() const { return lines_; }
  bool Linked() const { return link_ != nullptr; }

 private:
  friend class TDdeClientConv;

  TDdeClientConv& conversation_;
  std::string name_;
  DdeClientLibrary::StringHandle link_ = nullptr;
  std::vector<std::string> lines_;
};

// A command line that starts the program at that path, quoted so that blanks in it are kept.
// Nothing when there is no path or the line would not fit the 255 bytes such a start takes: a
// truncated path could start another program.
std::optional<std::string> WinExecCommandLine(const std::optional<std::string>& path);

}  // namespace talvorne
