#include "shell/program_style.h"

#include "decoding/placeholders.h"
#include "shell/shell_texts.h"
#include "win32/message_boxes.h"

namespace talvorne {

VisualStyle ApplyVisualStyle(HMODULE module) {
  if (auto style = VisualStyle::Load(module, texts::kStyleName)) return std::move(*style);
  ShowErrorMessage(FillPlaceholders(texts::kStyleNotFound, {texts::kStyleName}),
                   ErrorBoxButton::Fermer);
  return VisualStyle::SystemDefault();
}

}  // namespace talvorne
