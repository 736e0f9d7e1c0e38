#pragma once
// The byte ruler of the edits that hold fixed-width text: the order record
// (1023, laid out by the code in 1022) and the query inputs (1012 and 1013,
// by the codes in 1010 and 1011). It tells which field a byte of the text
// falls in and what is wrong with the text as its layout reads it: a length
// other than the layout's, a double-byte character cut by a field boundary, a
// value that does not fit its field's kind.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/ControlId.h"
#include "protocol/Layout.h"

namespace zqk {

class ControlModel;

struct RulerField {
  std::string_view name;  // CP949; empty for reserved bytes between fields
  size_t offset = 0;
  size_t width = 0;
  protocol::FieldKind kind = protocol::FieldKind::kText;
  std::string text;  // the bytes of the text in the field (fewer past its end)
};

enum class RulerProblem : uint8_t {
  kLength,    // the text's byte length is not the layout's
  kStraddle,  // a double-byte character begins in one field and ends in the next
  kKind,      // a value does not fit its field's kind
};

struct RulerWarning {
  RulerProblem problem;
  size_t field = 0;   // kStraddle: the field the character begins in; kKind: the field
  size_t offset = 0;  // kStraddle: the character's first byte
};

struct RulerReading {
  // The code whose layout reads the text, and whether it has one.
  std::string code;
  bool hasLayout = false;
  std::string_view layoutName;  // an order record's ("D-N"); empty for an input
  size_t layoutLength = 0;
  size_t textLength = 0;
  std::vector<RulerField> fields;
  std::vector<RulerWarning> warnings;

  // The field that holds byte `offset` of the text; nullopt past the layout.
  std::optional<size_t> FieldAt(size_t offset) const;
};

// The text of an order record read by its code's layout, or a query input by
// its code's input layout.
RulerReading ReadOrderRecord(std::string_view code, std::string_view text);
RulerReading ReadQueryInput(std::string_view code, std::string_view text);

// The edits that have a ruler, and the reading of one from the model; nullopt
// for another control.
bool HasByteRuler(ControlId id);
std::optional<RulerReading> ReadRuler(const ControlModel& model, ControlId id);

// One line of a warning, in the display language.
std::string RulerWarningText(const RulerReading& reading, const RulerWarning& warning, bool korean);
// "name offset+width kind" of a field, as the ruler shows it.
std::string RulerFieldText(const RulerField& field, bool korean);

}  // namespace zqk
