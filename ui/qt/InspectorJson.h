#pragma once
// One inspected reply or record as JSON (UTF-8), for saving: its header, then
// every part with its notes, rows and fields (name, offset, width, value as
// text with \xHH for bytes that are not CP949, and the bytes in hex wherever
// the text had to escape any), and the bytes beyond the layout in hex.

#include <QByteArray>

#include "dialog/ReplyInspector.h"

namespace zqk {

QByteArray InspectorEntryJson(const InspectorEntry& entry, inspect::Language language);

}  // namespace zqk
