#include "handoff/ddeml_client.h"

#include <string>

namespace talvorne {
namespace {

HSZ ToHsz(DdeClientLibrary::StringHandle handle) {
  return reinterpret_cast<HSZ>(handle);
}

HCONV ToHconv(DdeClientLibrary::Conversation conversation) {
  return reinterpret_cast<HCONV>(conversation);
}

}  // namespace

DdeClientLibrary::StringHandle DdemlClient::CreateStringHandle(std::string_view text) {
  const std::string terminated(text);
  return reinterpret_cast<StringHandle>(
      DdeCreateStringHandleA(instance_.Id(), terminated.c_str(), CP_WINANSI));
}

void DdemlClient::FreeStringHandle(StringHandle handle) {
  DdeFreeStringHandle(instance_.Id(), ToHsz(handle));
}

DdeClientLibrary::Conversation DdemlClient::Connect(StringHandle service, StringHandle topic) {
  return reinterpret_cast<Conversation>(
      DdeConnect(instance_.Id(), ToHsz(service), ToHsz(topic), nullptr));
}

unsigned DdemlClient::ConversationFormat(Conversation conversation) {
  CONVINFO information{};
  information.cb = sizeof information;
  if (DdeQueryConvInfo(ToHconv(conversation), QID_SYNC, &information) == 0) return 0;
  return information.wFmt;
}

void DdemlClient::SetUserHandle(Conversation conversation, const void* owner) {
  DdeSetUserHandle(ToHconv(conversation), QID_SYNC, reinterpret_cast<DWORD_PTR>(owner));
}

void DdemlClient::Disconnect(Conversation conversation) {
  DdeDisconnect(ToHconv(conversation));
}

bool DdemlClient::StartAdvise(Conversation conversation, StringHandle item, unsigned format,
                              unsigned timeoutMs) {
  return DdeClientTransaction(nullptr, 0, ToHconv(conversation), ToHsz(item), format,
                              XTYP_ADVSTART | XTYPF_NODATA, timeoutMs, nullptr) != nullptr;
}

std::optional<std::string> DdemlClient::Request(Conversation conversation, StringHandle item,
                                                unsigned format, unsigned timeoutMs) {
  const HDDEDATA data = DdeClientTransaction(nullptr, 0, ToHconv(conversation), ToHsz(item), format,
                                             XTYP_REQUEST, timeoutMs, nullptr);
  if (data == nullptr) return std::nullopt;
  DWORD size = 0;
  const BYTE* bytes = DdeAccessData(data, &size);
  std::string text;
  if (bytes != nullptr) {
    text.assign(reinterpret_cast<const char*>(bytes), size);
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    DdeUnaccessData(data);
  }
  DdeFreeDataHandle(data);
  return text;
}

bool DdemlClient::StartExecute(Conversation conversation, std::string_view bytes, unsigned format) {
  const HDDEDATA data =
      DdeCreateDataHandle(instance_.Id(), reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                          static_cast<DWORD>(bytes.size()), 0, nullptr, format, 0);
  if (data == nullptr) return false;
  DWORD transaction = 0;
  // The library owns the data from here and frees it when the transaction ends.
  return DdeClientTransaction(reinterpret_cast<BYTE*>(data), static_cast<DWORD>(-1),
                              ToHconv(conversation), nullptr, format, XTYP_EXECUTE, TIMEOUT_ASYNC,
                              &transaction) != nullptr;
}

}  // namespace talvorne
