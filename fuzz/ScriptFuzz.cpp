// zqk-script's parser: any text is either a script or one error with its
// line, and every string it keeps can be written back as one output line.
#include <optional>
#include <string_view>
#include <variant>

#include "dialog/DialogTemplate.h"
#include "fuzz/support/CannedAgent.h"
#include "fuzz/support/FuzzMain.h"
#include "tools/zqk-script/Script.h"

namespace zqk::fuzz {
namespace {

std::optional<ControlKind> MainDialogControlKind(ControlId id) {
  const ControlTemplate* control = MainDialogTemplate().Find(id);
  if (!control) return std::nullopt;
  return control->kind;
}

}  // namespace

void RunOne(std::string_view input) {
  const script::ParseResult parsed = script::ParseScript(input, MainDialogControlKind);
  if (parsed.error) {
    Check(parsed.error->line >= 1, "an error without its line");
    return;
  }
  for (const script::Step& step : parsed.steps) {
    if (const auto* set = std::get_if<script::SetText>(&step.action)) {
      Check(script::QuoteForOutput(set->text).find('\n') == std::string::npos,
            "a quoted string spans lines");
    }
  }
}

}  // namespace zqk::fuzz
