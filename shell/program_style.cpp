#include "shell/program_style.h"

#include "shell/shell_texts.h"
#include "win32/message_boxes.h"
#include "win32/placeholders.h"

namespace talvorne {

VisualStyle ApplyVisualStyle(HMODULE module) {
  if (auto style = VisualStyle::Load(module, texts::kStyleName)) return std::move(*style);
  ShowErrorMessage(FillPlaceholders(texts::kStyleNotFound, {texts::kStyleName}),
                   ErrorBoxButton::Fermer);
  return VisualStyle::SystemDefault();
}

}  // namespace talvorne
