#include "handoff/dde_server.h"

#include <algorithm>

#include "decoding/lines.h"
#include "win32/text_encoding.h"

namespace talvorne {
namespace {

// DDE string handles hold at most this many bytes.
constexpr DWORD kLongestDdeString = 4096;

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                        b.c_str(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::wstring Caption(HWND window) {
  std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  caption.resize(static_cast<std::size_t>(
      GetWindowTextW(window, caption.data(), static_cast<int>(caption.size()))));
  return caption;
}

HDDEDATA Flag(UINT_PTR value) {
  return reinterpret_cast<HDDEDATA>(value);
}

}  // namespace

bool DdeServer::ForThisService(HSZ service) const {
  // A client that names no service asks every server.
  return service == nullptr || (instance_.ServiceName() != nullptr &&
                                DdeCmpStringHandles(service, instance_.ServiceName()) == 0);
}

std::optional<TDdeServerConv*> DdeServer::AcceptedTopic(HSZ topic) const {
  if (topic == nullptr) return std::nullopt;
  std::string text(kLongestDdeString + 1, '\0');
  text.resize(
      DdeQueryStringA(instance_.Id(), topic, text.data(), kLongestDdeString + 1, CP_WINANSI));
  const std::wstring wanted = WidenAnsi(text);
  // The components first, then the windows.
  if (SameIgnoringCase(wanted, Widen(component_.Name()))) return &component_;
  for (HWND window : windows_()) {
    if (SameIgnoringCase(wanted, Caption(window))) return nullptr;
  }
  return std::nullopt;
}

DdeServer::Conversation* DdeServer::Find(HCONV handle) {
  const auto found = std::find_if(conversations_.begin(), conversations_.end(),
                                  [&](const Conversation& c) { return c.handle == handle; });
  return found == conversations_.end() ? nullptr : &*found;
}

HDDEDATA DdeServer::Answer(const DdeTransaction& transaction) {
  switch (transaction.type) {
    case XTYP_CONNECT:
      return Flag(ForThisService(transaction.hsz2) && AcceptedTopic(transaction.hsz1).has_value());
    case XTYP_WILDCONNECT:
      return WildConnect(transaction);
    case XTYP_CONNECT_CONFIRM:
      if (const auto component = AcceptedTopic(transaction.hsz1)) {
        conversations_.push_back({transaction.conversation, *component});
      }
      return nullptr;
    case XTYP_EXECUTE:
      return Execute(transaction);
    case XTYP_POKE:
      return Flag(DDE_FNOTPROCESSED);
    case XTYP_DISCONNECT:
      conversations_.remove_if(
          [&](const Conversation& c) { return c.handle == transaction.conversation; });
      return nullptr;
    default:
      // Requests and advise links: there is no item to serve.
      return nullptr;
  }
}

HDDEDATA DdeServer::WildConnect(const DdeTransaction& transaction) const {
  // Without a topic, no pair at all.
  if (!ForThisService(transaction.hsz2) || !AcceptedTopic(transaction.hsz1).has_value()) {
    return nullptr;
  }
  HSZPAIR pairs[2] = {{instance_.ServiceName(), transaction.hsz1}, {nullptr, nullptr}};
  return DdeCreateDataHandle(instance_.Id(), reinterpret_cast<BYTE*>(pairs), sizeof pairs, 0,
                             nullptr, CF_TEXT, 0);
}

HDDEDATA DdeServer::Execute(const DdeTransaction& transaction) {
  const Conversation* conversation = Find(transaction.conversation);
  // Commands on a window's caption are not for any component.
  if (conversation == nullptr || conversation->component == nullptr) {
    return Flag(DDE_FNOTPROCESSED);
  }
  // While a command's box is due or up, those that come are answered busy at once, so that boxes
  // never pile up.
  if (busy_()) return Flag(DDE_FBUSY);
  DWORD size = 0;
  const BYTE* data = DdeAccessData(transaction.data, &size);
  if (data == nullptr) return Flag(DDE_FNOTPROCESSED);
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = Narrow(WidenAnsi(bytes.substr(0, bytes.find('\0'))));
  DdeUnaccessData(transaction.data);
  TDdeServerConv& component = *conversation->component;
  component.OnExecuteMacro(component, SplitLines(text));
  return Flag(DDE_FACK);
}

}  // namespace talvorne
