#pragma once
// The shapes of the broker's layouts, as data: a field is a name, a width in
// bytes and a kind of value; a reply is named records of fields and an
// optional raw block of fixed-width rows; a query's input is fields at byte
// offsets. The tables of protocol/ are written in these shapes, so that the
// console, the sandbox and any tool read one description of each code.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zqk::protocol {

// What a field holds, as far as a value can be checked against it.
enum class FieldKind : uint8_t {
  kDigits,    // a whole number, digits only
  kDecimal,   // a number with an optional sign and one decimal point or fraction mark
  kText,      // any text, double-byte characters included
  kAccount,   // an account number: digits
  kDateTime,  // a date YYYYMMDD, a time HHMMSS or both: digits
  kCode,      // a code from a fixed set or a product code: any text
};

// How a value stands in a fixed-width field: left-aligned and filled on the
// right, right-aligned, or as it comes (a named record's value that the
// broker does not pad).
enum class Align : uint8_t { kAsIs, kLeft, kRight };

struct Field {
  std::string_view name;  // CP949, the broker's own
  uint16_t width = 0;     // bytes
  FieldKind kind = FieldKind::kText;
  Align align = Align::kAsIs;
};

// The two record names that replies and real-time data use.
inline constexpr std::string_view kOutRec1 = "OutRec1";
inline constexpr std::string_view kOutRec2 = "OutRec2";

// Where the number of rows of a record comes from.
enum class RowCount : uint8_t {
  kOne,          // row 0 only
  kRepeatCount,  // GetRepeatCount of the record
  kCountField,   // a field of row 0 of OutRec1 (countField)
};

struct RecordLayout {
  std::string_view name = kOutRec1;
  RowCount rows = RowCount::kOne;
  std::string_view countField = {};
  std::span<const Field> fields = {};

  const Field* Find(std::string_view field) const;
};

// Where the number of rows of a raw block comes from.
enum class BlockRows : uint8_t {
  kNone,          // a header only (and content, see contentSizeField)
  kPerRecordRow,  // one block row per row of the record `rowsOf`
  kFixed,         // always fixedRows rows, blank where there is nothing
  kHeaderCount,   // the header field `countField`
};

// The raw data of a reply or a real-time record (GetDataBlock): a header of
// fixed-width fields, then rows of fixed-width fields, then content whose
// size a record field gives. Every field is left-aligned, blank-filled.
struct BlockLayout {
  std::span<const Field> header = {};
  std::span<const Field> row = {};
  BlockRows rows = BlockRows::kNone;
  std::string_view rowsOf = {};
  uint16_t fixedRows = 0;
  std::string_view countField = {};
  // A field of row 0 of OutRec1 whose decimal value is the size in bytes of
  // the content after the header.
  std::string_view contentSizeField = {};
  // GetLastData returns the block.
  bool lastData = false;

  constexpr size_t HeaderWidth() const;
  constexpr size_t RowWidth() const;
};

struct ReplyLayout {
  std::span<const RecordLayout> records = {};
  const BlockLayout* block = nullptr;
  // GetNextKey gives a continuation key while there is more.
  bool paged = false;

  const RecordLayout* Record(std::string_view name) const;
  const Field* Find(std::string_view record, std::string_view field) const;
};

// The range of a number field of an input, and its value when left blank.
struct InputNumber {
  int32_t fallback;
  int32_t min;
  int32_t max;
};

struct InputField {
  std::string_view name;  // CP949; refusals name the field by it
  uint16_t offset = 0;    // bytes from 0
  uint16_t width = 0;
  FieldKind kind = FieldKind::kText;
  std::optional<InputNumber> number = std::nullopt;
  std::string_view note = {};  // what a value or a blank asks for (English)
  // The field of the reply that shows the value asked for, in its first
  // row; empty when none does.
  std::string_view answeredIn = {};
};

// The account rewrite that the console applies before sending: the account
// number field, then the field that the agent's account text replaces, then
// a tail of the next field's width; whatever follows is dropped.
struct AccountRewrite {
  uint8_t accountField;
  uint8_t replacedField;
  uint8_t tailField;
};

struct InputLayout {
  std::span<const InputField> fields = {};
  // Bytes the input may take: the fields and whatever reserved bytes lie
  // between and after them. A shorter input counts as blank-filled.
  uint16_t length = 0;
  // An input the sandbox answers, as the console's samples and the
  // documentation show it: the bytes sent, which may stop before `length`.
  std::string_view sample = {};
  std::optional<AccountRewrite> rewrite = std::nullopt;

  const InputField* Find(std::string_view name) const;
};

// The sum of the widths.
constexpr size_t Width(std::span<const Field> fields) {
  size_t width = 0;
  for (const Field& f : fields) width += f.width;
  return width;
}
constexpr size_t BlockLayout::HeaderWidth() const {
  return Width(header);
}
constexpr size_t BlockLayout::RowWidth() const {
  return Width(row);
}

// Where a field of a fixed-width sequence starts, or nullopt when the
// sequence has no field of that name.
std::optional<size_t> OffsetOf(std::span<const Field> fields, std::string_view name);

// The field of a fixed-width sequence that holds byte `offset`, with its own
// offset; nullopt past the end.
struct FieldAt {
  size_t index;
  size_t offset;
};
std::optional<FieldAt> FieldAtOffset(std::span<const Field> fields, size_t offset);
const InputField* InputFieldAtOffset(const InputLayout& layout, size_t offset);

// Whether `value` (without its blanks) may stand in a field of this kind: a
// letter in a digits field is wrong, a decimal point fine in a price. Blank
// fits every kind.
bool FitsKind(FieldKind kind, std::string_view value);
// "digits", "decimal", "text", "account", "date/time", "code".
std::string_view KindName(FieldKind kind);

// `value` in `width` bytes: left- or right-aligned and blank-filled (as it
// comes for kAsIs). A longer value is cut before the first character that
// does not fit whole, so that no double-byte character is split.
std::string FitToWidth(std::string_view value, size_t width, Align align = Align::kLeft);

// An input composed from one value per field of the layout (in the layout's
// order; missing values are blank): each value fitted to its field, the
// bytes between and after the fields blank, `length` bytes in all.
std::string ComposeInput(const InputLayout& layout, std::span<const std::string_view> values);
// The values of an input, one per field of the layout, without their
// blanks; a field beyond the input's end is empty.
std::vector<std::string_view> ParseInput(const InputLayout& layout, std::string_view input);

}  // namespace zqk::protocol
