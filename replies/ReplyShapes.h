#pragma once
// The shapes that most replies share, each a row's parameters and the steps
// that decode a reply of that shape.

#include <cstdint>
#include <string_view>

#include "replies/TrReply.h"

namespace zqk::reply {

// Row 0 of OutRec1 on one line, after an optional header line, followed by an
// optional paging question.
struct SingleRecord {
  std::string_view header = {};
  ReplyLine line = {};
  std::string_view question = {};
  void Decode(const Reply& r) const;
};

// Rows of a repeated record, in this order: the header line; a summary line
// of row 0 of OutRec1; label[n]; a line per row; the raw block of n rows;
// label[n]; the paging question. Each part only when the row gives it.
// n is the record's repeat count, or the decimal value of `countField` in
// row 0 of OutRec1 when the row names one.
struct RepeatedRecords {
  std::string_view header = {};
  ReplyLine summary = {};
  std::string_view countField = {};
  std::string_view record = kOutRec1;
  std::string_view countBefore = {};
  ReplyLine line = {};
  int32_t blockWidth = 0;  // bytes per row of the block; 0: no block
  BlockLine blockForm = BlockLine::kBracketed;
  std::string_view countAfter = {};
  // n < 1 logs nothing at all, not even the block.
  bool silentWhenEmpty = false;
  std::string_view question = {};
  void Decode(const Reply& r) const;
};

// A line of the program's own; nothing is read.
struct FixedLine {
  std::string_view text;
  void Decode(const Reply& r) const;
};

// A raw block of a fixed length, logged alone.
struct FixedBlock {
  int32_t length;
  void Decode(const Reply& r) const;
};

// A raw block whose length is a size field of row 0 of OutRec1 plus a fixed
// part; its line is logged and then shown in an OK box.
struct SizedBlock {
  std::string_view sizeField;
  int32_t extra;
  void Decode(const Reply& r) const;
};

}  // namespace zqk::reply
