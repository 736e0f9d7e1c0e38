#pragma once
// The event log's lines (CP949), append-only: the bytes live in large chunks
// and each line costs its text plus one 8-byte position, so appending never
// copies what is stored and 10 million lines cost little more than their text.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace zqk {

// A line's position in the log, counted from 0 (distinct from a line count).
struct LineIndex {
  size_t value = 0;
  constexpr auto operator<=>(const LineIndex&) const = default;
};

enum class LogChange { kAppended, kCleared, kSelection };

class EventLog {
 public:
  using Listener = std::function<void(LogChange)>;

  EventLog();
  ~EventLog();
  EventLog(const EventLog&) = delete;
  EventLog& operator=(const EventLog&) = delete;

  size_t Count() const { return count_; }
  bool Empty() const { return count_ == 0; }
  // The text of line `index` (< Count()); valid until the next Clear().
  std::string_view Line(LineIndex index) const;

  void Append(std::string_view line);
  void Clear();

  // The list box's selected line, if any.
  std::optional<LineIndex> Selected() const { return selected_; }
  void Select(std::optional<LineIndex> line);

  // The lines from `first` (< Count()) up to `limit` that lie back to back
  // in memory, as one run of bytes: a search reads millions of lines as a
  // few large runs instead of line by line. `runEnd` receives the line after
  // the run (at most `limit`); Line() tells where each line starts within it.
  std::string_view LineRun(LineIndex first, LineIndex limit, LineIndex& runEnd) const;

  // Bytes held for text and positions (for the memory benchmark).
  size_t ReservedBytes() const;

  // The views of the log (the list box, the log window, the headless
  // driver's output): each is called after every change, in the order added.
  using ListenerId = uint64_t;
  ListenerId AddListener(Listener listener);
  // Safe from inside a listener.
  void RemoveListener(ListenerId id);

 private:
  // The log's memory comes in huge pages (see HugeMemory).
  struct FreeMemory {
    void operator()(void* memory) const;
  };
  template <typename T>
  using Memory = std::unique_ptr<T[], FreeMemory>;
  struct Chunk {
    Memory<char> bytes;
    size_t capacity = 0;
    size_t used = 0;
  };
  static constexpr size_t kHugePage = size_t{2} << 20;
  static constexpr size_t kChunkBytes = kHugePage;
  static constexpr size_t kPositionsPerBlock = kHugePage / sizeof(uint64_t);

  uint64_t Position(size_t index) const;
  // At least `bytes`, rounded up to whole huge pages, aligned to them.
  static void* HugeMemory(size_t bytes);
  // A chunk of at least `bytes`.
  static Chunk NewChunk(size_t bytes);

  std::vector<Chunk> chunks_;
  // Per line: chunk index in the high 32 bits, offset within it in the low 32.
  std::vector<Memory<uint64_t>> positionBlocks_;
  size_t count_ = 0;
  std::optional<LineIndex> selected_;
  void Notify(LogChange change);
  // Listener ID 0 marks one removed while a notification was under way.
  std::vector<std::pair<ListenerId, Listener>> listeners_;
  std::vector<std::pair<ListenerId, Listener>> addedWhileNotifying_;
  ListenerId nextListener_ = 1;
  int notifying_ = 0;
  bool removedWhileNotifying_ = false;
};

}  // namespace zqk
