#pragma once
// What the console's decoders read of a reply or a real-time record: an
// agent reader that answers every read with a plausible value and records
// the record, row and field, or the raw block, that was asked for.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "replies/AgentReader.h"
#include "replies/DecoderOutput.h"

namespace zqk::test {

struct FieldRead {
  std::string record;
  int32_t row;
  std::string field;
};

struct BlockRead {
  std::string key;  // the code or key it was read under
  int32_t offset;
  int32_t length;
};

struct ConsoleReads {
  bool decoded = false;  // a decoder took the code
  std::vector<FieldRead> fields;
  std::vector<BlockRead> blocks;
};

// Every reply read as the rows it announces: each record repeats this often.
inline constexpr int32_t kRowsAnnounced = 2;

// The reads of the decoder of `code`. Every field answers "1" (a count of
// one, a size of one byte), but the master file's answer code, which lets
// the download go on into `downloadDir`.
ConsoleReads ReadsOfReply(std::string_view code, const std::filesystem::path& downloadDir);

// The reads of a real-time record of `realType` under the key `key`.
ConsoleReads ReadsOfRealData(std::string_view key, int32_t realType);

}  // namespace zqk::test
