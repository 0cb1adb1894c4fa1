#include "handoff/dde_client_conv.h"

#include "decoding/lines.h"

namespace talvorne {
namespace {

constexpr unsigned kCfText = 1;
constexpr unsigned kItemTimeoutMs = 1000;
constexpr std::size_t kLongestCommandLine = 255;

}  // namespace

std::optional<std::string> WinExecCommandLine(const std::optional<std::string>& path) {
  if (!path) return std::nullopt;
  std::string line = '"' + *path + '"';
  if (line.size() > kLongestCommandLine) return std::nullopt;
  return line;
}

TDdeClientConv::TDdeClientConv(DdeClientLibrary& library, ZuruzevuStarter& starter)
    : library_(library), starter_(starter) {}

TDdeClientConv::~TDdeClientConv() {
  CloseLink();
}

void TDdeClientConv::SetLink(std::string_view service, std::string_view topic) {
  CloseLink();
  DdeService = service;
  DdeTopic = topic;
}

bool TDdeClientConv::OpenLink() {
  if (conversation_ != nullptr) return true;
  if (serviceHandle_ == nullptr) serviceHandle_ = library_.CreateStringHandle(DdeService);
  if (topicHandle_ == nullptr) topicHandle_ = library_.CreateStringHandle(DdeTopic);
  conversation_ = library_.Connect(serviceHandle_, topicHandle_);
  if (conversation_ == nullptr) {
    // Nobody answers: start the program, and ask once more as soon as it waits for input.
    const auto commandLine = WinExecCommandLine(starter_.AnsiText(ServiceApplication));
    if (commandLine && starter_.StartMinimised(*commandLine)) {
      conversation_ = library_.Connect(serviceHandle_, topicHandle_);
    }
  }
  if (conversation_ == nullptr) {
    if (item_ != nullptr) item_->name_.clear();
    return false;
  }
  format_ = library_.ConversationFormat(conversation_);
  if (format_ == 0) format_ = kCfText;
  library_.SetUserHandle(conversation_, this);
  if (item_ != nullptr && !item_->name_.empty()) LinkItem();
  return true;
}

void TDdeClientConv::LinkItem() {
  TDdeClientItem& item = *item_;
  item.link_ = library_.CreateStringHandle(item.name_);
  if (!library_.StartAdvise(conversation_, item.link_, format_, kItemTimeoutMs)) {
    // The server does not serve the item: the conversation goes on without it.
    library_.FreeStringHandle(item.link_);
    item.link_ = nullptr;
    item.lines_.clear();
    item.name_.clear();
    return;
  }
  RequestItem();
}

void TDdeClientConv::RequestItem() {
  TDdeClientItem& item = *item_;
  const auto text = library_.Request(conversation_, item.link_, format_, kItemTimeoutMs);
  item.lines_ = SplitLines(text.value_or(""));
}

void TDdeClientConv::DataChange() {
  if (conversation_ != nullptr && item_ != nullptr && item_->Linked()) RequestItem();
}

bool TDdeClientConv::ExecuteMacro(std::string_view command) {
  if (conversation_ == nullptr) return false;
  std::string bytes(command);
  bytes.push_back('\0');
  return library_.StartExecute(conversation_, bytes, format_);
}

void TDdeClientConv::CloseLink() {
  if (conversation_ != nullptr) {
    const DdeClientLibrary::Conversation closing = conversation_;
    conversation_ = nullptr;
    if (item_ != nullptr && item_->link_ != nullptr) {
      library_.FreeStringHandle(item_->link_);
      item_->link_ = nullptr;
    }
    library_.SetUserHandle(closing, nullptr);
    // Ending the conversation also ends the advise link.
    library_.Disconnect(closing);
  }
  for (DdeClientLibrary::StringHandle* handle : {&serviceHandle_, &topicHandle_}) {
    if (*handle != nullptr) library_.FreeStringHandle(*handle);
    *handle = nullptr;
  }
  DdeService.clear();
  DdeTopic.clear();
}

TDdeClientItem::TDdeClientItem(TDdeClientConv& DdeConv) : conversation_(DdeConv) {
  conversation_.Attach(this);
}

TDdeClientItem::~TDdeClientItem() {
  conversation_.Attach(nullptr);
}

}  // namespace talvorne
