#include "handoff/dde_instance.h"

#include <string>

#include "handoff/command_service.h"
#include "handoff/dde_error_text.h"
#include "win32/guarded_call.h"
#include "win32/program_path.h"
#include "win32/text_encoding.h"

namespace talvorne {

DdeInstance* ProgramDdeInstance = nullptr;

DdeInstance::DdeInstance() {
  const UINT error = DdeInitializeA(&id_, Callback, APPCLASS_STANDARD, 0);
  if (error != DMLERR_NO_ERROR) throw DdeError(DdeErrorText(error));
  ProgramDdeInstance = this;
  const std::string name = NarrowToAnsi(ServiceNameOf(ProgramPath()));
  if (!name.empty()) {
    serviceName_ = DdeCreateStringHandleA(id_, name.c_str(), CP_WINANSI);
    DdeNameService(id_, serviceName_, nullptr, DNS_REGISTER);
  }
}

DdeInstance::~DdeInstance() {
  if (serviceName_ != nullptr) {
    DdeNameService(id_, serviceName_, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(id_, serviceName_);
  }
  ProgramDdeInstance = nullptr;
  DdeUninitialize(id_);
}

HDDEDATA CALLBACK DdeInstance::Callback(UINT type, UINT format, HCONV conversation, HSZ hsz1,
                                        HSZ hsz2, HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2) {
  DdeParticipant* participant =
      ProgramDdeInstance != nullptr ? ProgramDdeInstance->participant_ : nullptr;
  if (participant == nullptr) return nullptr;
  const DdeTransaction transaction{type, format, conversation, hsz1, hsz2, data, data1, data2};
  HDDEDATA answer = nullptr;
  // No error may cross the library's frames; one that escapes is shown like a handler's.
  RunGuarded([&] { answer = participant->Answer(transaction); });
  return answer;
}

}  // namespace talvorne
