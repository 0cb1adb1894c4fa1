#include "tests/wine/support/dde_client.h"

#include <dde.h>

#include <algorithm>

namespace talvorne::testing {
namespace {

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  } while (GetTickCount() - start < milliseconds);
}

}  // namespace

DdeClient::DdeClient() {
  DdeInitializeA(&instance_, Callback, APPCLASS_STANDARD | APPCMD_CLIENTONLY, 0);
}

DdeClient::~DdeClient() {
  DdeUninitialize(instance_);
}

HDDEDATA CALLBACK DdeClient::Callback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

HSZ DdeClient::String(const char* text) const {
  return text == nullptr ? nullptr : DdeCreateStringHandleA(instance_, text, CP_WINANSI);
}

HCONV DdeClient::Connect(const char* service, const char* topic) const {
  const HSZ serviceHandle = String(service);
  const HSZ topicHandle = String(topic);
  const HCONV conversation = DdeConnect(instance_, serviceHandle, topicHandle, nullptr);
  for (HSZ handle : {serviceHandle, topicHandle}) {
    if (handle != nullptr) DdeFreeStringHandle(instance_, handle);
  }
  return conversation;
}

DdeClient::Outcome DdeClient::Execute(HCONV conversation, std::string_view text,
                                      DWORD timeoutMs) const {
  std::string bytes(text);
  bytes.push_back('\0');
  Outcome outcome;
  const DWORD start = GetTickCount();
  outcome.completed =
      DdeClientTransaction(reinterpret_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()),
                           conversation, nullptr, CF_TEXT, XTYP_EXECUTE, timeoutMs,
                           &outcome.flags) != nullptr;
  outcome.tookMs = GetTickCount() - start;
  return outcome;
}

bool DdeClient::ExecuteWithoutWaiting(HCONV conversation, std::string_view text) const {
  std::string bytes(text);
  bytes.push_back('\0');
  DWORD transaction = 0;
  return DdeClientTransaction(reinterpret_cast<BYTE*>(bytes.data()),
                              static_cast<DWORD>(bytes.size()), conversation, nullptr, CF_TEXT,
                              XTYP_EXECUTE, TIMEOUT_ASYNC, &transaction) != nullptr;
}

DdeClient::Outcome DdeClient::Poke(HCONV conversation, const char* item,
                                   std::string_view text) const {
  std::string bytes(text);
  bytes.push_back('\0');
  const HSZ itemHandle = String(item);
  Outcome outcome;
  outcome.completed =
      DdeClientTransaction(reinterpret_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()),
                           conversation, itemHandle, CF_TEXT, XTYP_POKE, 5000,
                           &outcome.flags) != nullptr;
  DdeFreeStringHandle(instance_, itemHandle);
  return outcome;
}

std::optional<std::string> DdeClient::Request(HCONV conversation, const char* item) const {
  const HSZ itemHandle = String(item);
  const HDDEDATA data = DdeClientTransaction(nullptr, 0, conversation, itemHandle, CF_TEXT,
                                             XTYP_REQUEST, 5000, nullptr);
  DdeFreeStringHandle(instance_, itemHandle);
  if (data == nullptr) return std::nullopt;
  DWORD size = 0;
  const BYTE* bytes = DdeAccessData(data, &size);
  std::string text(reinterpret_cast<const char*>(bytes), size);
  DdeUnaccessData(data);
  DdeFreeDataHandle(data);
  return text;
}

bool DdeClient::EndedByServer(HCONV conversation) const {
  PumpFor(500);
  CONVINFO information{};
  information.cb = sizeof information;
  return DdeQueryConvInfo(conversation, QID_SYNC, &information) != 0 &&
         (information.wStatus & ST_TERMINATED) != 0;
}

namespace {

std::vector<HWND> answers;
std::vector<std::wstring> answeringServices;

LRESULT CALLBACK InitiatorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_DDE_ACK) return DefWindowProcW(window, message, wParam, lParam);
  // Answers to an initiate carry the service and topic atoms, not packed.
  wchar_t service[256] = {};
  GlobalGetAtomNameW(LOWORD(lParam), service, 256);
  answeringServices.emplace_back(service);
  answers.push_back(reinterpret_cast<HWND>(wParam));
  GlobalDeleteAtom(LOWORD(lParam));
  GlobalDeleteAtom(HIWORD(lParam));
  return 0;
}

}  // namespace

std::vector<std::wstring> ServicesAnsweringInitiate(const wchar_t* topic) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = InitiatorProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TalvorneTestDdeInitiator";
  RegisterClassW(&windowClass);
  const HWND initiator = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, nullptr,
                                         nullptr, windowClass.hInstance, nullptr);
  answers.clear();
  answeringServices.clear();
  const ATOM topicAtom = topic != nullptr ? GlobalAddAtomW(topic) : 0;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(initiator),
                      MAKELPARAM(0, topicAtom), SMTO_NORMAL, 5000, &ignored);
  if (topicAtom != 0) GlobalDeleteAtom(topicAtom);
  for (HWND server : answers) {
    PostMessageW(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(initiator), 0);
  }
  PumpFor(300);
  DestroyWindow(initiator);
  return answeringServices;
}

}  // namespace talvorne::testing
