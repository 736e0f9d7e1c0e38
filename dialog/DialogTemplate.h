#pragma once
// Dialog templates as data: every control with its kind, template caption,
// rectangle in dialog units and style. The control model and the Qt view are
// both built from these tables.

#include <span>
#include <string_view>

#include "dialog/ControlId.h"

namespace zqk {

enum class ControlKind {
  kEdit,
  kPushButton,
  kRadioButton,
  kStaticText,
  kGroupBox,
  kDropDownList,
  kListBox,
};

// Style bits of a control.
enum ControlStyle : unsigned {
  kPassword = 1u << 0,
  kDigitsOnly = 1u << 1,
  kReadOnly = 1u << 2,
  kMultiLine = 1u << 3,
  kGroupStart = 1u << 4,  // first button of an automatic radio group
  kDefaultButton = 1u << 5,
  kCentered = 1u << 6,  // centred static text
};

struct DluRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  constexpr bool operator==(const DluRect&) const = default;
};

struct ControlTemplate {
  ControlId id;
  ControlKind kind;
  const char* caption;  // CP949
  DluRect rect;
  unsigned style;

  constexpr bool Has(ControlStyle s) const { return (style & s) != 0; }
};

struct DialogTemplate {
  const char* caption;  // CP949
  int width;            // dialog units
  int height;
  const char* fontFace;
  int fontPointSize;
  std::span<const ControlTemplate> controls;

  // The entry of `id`, or nullptr; labels without an ID (kStaticId) are not found.
  const ControlTemplate* Find(ControlId id) const;
};

// Template 102: the main dialog, 98 controls in template (tab) order.
const DialogTemplate& MainDialogTemplate();
// Template 100: the About box.
const DialogTemplate& AboutDialogTemplate();

// The item that each drop-down list of the main dialog receives from the
// template's initial data; OnInitDialog replaces it before the dialog shows.
inline constexpr std::string_view kInitialListItem = "1.매수\\n2.매도";

// The text of string resource 101, the system menu's About item.
inline constexpr std::string_view kAboutMenuText = "ZQKCommClient 정보(&A)...";
// Command ID of the About item in the system menu.
inline constexpr int kAboutCommandId = 16;

}  // namespace zqk
