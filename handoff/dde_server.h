// The program's own DDE service: other programs connect under its service name, on the topic of
// its server conversation component or on a window's caption, and send it execute commands. It
// serves no data: requests, pokes and advise links are refused.
#pragma once

#include <functional>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include "handoff/dde_instance.h"

namespace talvorne {

// A server conversation component: its name is a topic, and the commands sent on it go to its
// handler with their lines.
class TDdeServerConv {
 public:
  using ExecuteMacroHandler =
      std::function<void(TDdeServerConv& Sender, const std::vector<std::string>& Msg)>;

  TDdeServerConv(std::string name, ExecuteMacroHandler handler)
      : name_(std::move(name)), OnExecuteMacro(std::move(handler)) {}

  const std::string& Name() const { return name_; }

 private:
  std::string name_;

 public:
  const ExecuteMacroHandler OnExecuteMacro;
};

class DdeServer {
 public:
  // windows: the program's windows, whose captions are topics at the moment of a connection.
  // busy: true while the commands sent are to be answered busy, unread. The component's handler
  // must return without dispatching messages: its client waits for the answer.
  DdeServer(const DdeInstance& instance, TDdeServerConv& component,
            std::function<std::vector<HWND>()> windows, std::function<bool()> busy)
      : instance_(instance),
        component_(component),
        windows_(std::move(windows)),
        busy_(std::move(busy)) {}
  DdeServer(const DdeServer&) = delete;
  DdeServer& operator=(const DdeServer&) = delete;

  // The answer to a transaction of the service's conversations or of a client wanting one.
  HDDEDATA Answer(const DdeTransaction& transaction);

 private:
  struct Conversation {
    HCONV handle;
    TDdeServerConv* component;  // null for a window's caption
  };

  bool ForThisService(HSZ service) const;
  // The component whose name the topic is, or null for a window's caption; nothing when the
  // topic is neither.
  std::optional<TDdeServerConv*> AcceptedTopic(HSZ topic) const;
  HDDEDATA WildConnect(const DdeTransaction& transaction) const;
  HDDEDATA Execute(const DdeTransaction& transaction);
  Conversation* Find(HCONV handle);

  const DdeInstance& instance_;
  TDdeServerConv& component_;
  std::function<std::vector<HWND>()> windows_;
  std::function<bool()> busy_;
  std::list<Conversation> conversations_;
};

}  // namespace talvorne
