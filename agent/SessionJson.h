#pragma once
// The pieces of a recording's JSON lines, written straight into a buffer: a
// recording writes a line for every agent call, so each piece costs a few
// stores once the line's room is made. Text is CP949 converted to UTF-8 when
// all of it is CP949 text, and {"hex": "..."} of its bytes when not.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

namespace zqk {

// The most bytes a text of `bytes` bytes takes: \u00XX for a control byte.
constexpr size_t MaxJsonTextBytes(size_t bytes) {
  return 6 * bytes + 16;
}
inline constexpr size_t kMaxJsonIntBytes = 20;
// The room to make for `cp949`: the bound for a short text, the exact size of
// a long one (a block of megabytes must not ask for six times its size).
size_t JsonTextRoom(std::string_view cp949);

// Each writes at `out` and returns the end of what it wrote; the caller has
// made room for the most it can take.
char* WriteJsonText(char* out, std::string_view cp949);
char* WriteJsonHex(char* out, std::string_view bytes);
char* WriteJsonInt(char* out, int64_t value);
inline char* WriteJsonRaw(char* out, std::string_view json) {
  std::memcpy(out, json.data(), json.size());
  return out + json.size();
}

// Lines on their way to a file: room is made before a line is written, and
// the buffer grows only for a line larger than any before it.
class JsonLineBuffer {
 public:
  explicit JsonLineBuffer(size_t capacity);
  // Room for `bytes` more; the returned pointer is where they go.
  char* Room(size_t bytes);
  void SetEnd(const char* end) { size_ = static_cast<size_t>(end - data_.get()); }
  void Truncate(size_t size) { size_ = size; }
  void Clear() { size_ = 0; }
  const char* Data() const { return data_.get(); }
  size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }

 private:
  std::unique_ptr<char[]> data_;
  size_t size_ = 0;
  size_t capacity_;
};

}  // namespace zqk
