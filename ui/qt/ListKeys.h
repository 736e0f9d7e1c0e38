#pragma once
// The keys that move a list's current row, as the log's views share them.
#include <cstddef>
#include <cstdint>

namespace zqk {

// Up, Down, Page Up, Page Down, Home and End.
bool MovesListRow(int key);

// The row `key` moves to in a list of `count` (> 0) rows from `current`; with
// no current row, `current` is the top row shown, which Up and Down select
// rather than leave. A page is `page` rows.
size_t ListRowAfterKey(int key, int64_t current, bool hasCurrent, int64_t page, size_t count);

}  // namespace zqk
