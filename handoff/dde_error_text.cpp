#include "handoff/dde_error_text.h"

#include <cstdio>

#include "decoding/placeholders.h"
#include "handoff/handoff_texts.h"

namespace talvorne {
namespace {

constexpr unsigned kLowMemory = 0x4007;
constexpr unsigned kMemoryError = 0x4008;
constexpr unsigned kNoConversationEstablished = 0x400A;

}  // namespace

std::string DdeErrorText(unsigned code) {
  const char* pattern = handoff_texts::kDdeError;
  if (code == kLowMemory || code == kMemoryError) pattern = handoff_texts::kDdeOutOfMemory;
  if (code == kNoConversationEstablished) pattern = handoff_texts::kDdeNoConversation;
  char hex[16];
  std::snprintf(hex, sizeof hex, "%X", code);
  return FillPlaceholders(pattern, {hex});
}

}  // namespace talvorne
