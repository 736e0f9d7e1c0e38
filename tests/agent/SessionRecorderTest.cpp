// What the recorder writes reads back as it was: texts that are CP949 as
// UTF-8, others as hex; lines reach the file whole, when the buffer is full
// or flushed; a failed write stops the recording and leaves whole lines.
#include "agent/SessionRecorder.h"

#include <signal.h>
#include <sys/resource.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "agent/RecordingReader.h"
#include "tests/support/TempDir.h"

namespace zqk {
namespace {

// A view of `s`, which outlives the value.
zqk_value Str(std::string_view s) {
  return {ZQK_VT_STR, 0, s.data(), static_cast<uint32_t>(s.size())};
}
zqk_value Long(int32_t v) {
  return {ZQK_VT_I4, v, nullptr, 0};
}

std::string FileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<RecordedEntry> ReadAll(const std::filesystem::path& file) {
  RecordingError error;
  std::unique_ptr<RecordingReader> reader = RecordingReader::Open(file, {}, &error);
  EXPECT_TRUE(reader) << error.line << ": " << error.reason;
  std::vector<RecordedEntry> entries;
  if (!reader) return entries;
  for (RecordedEntry e; reader->Next(e);) entries.push_back(e);
  EXPECT_FALSE(reader->Error()) << reader->Error()->line << ": " << reader->Error()->reason;
  return entries;
}

struct Clock {
  int64_t now = 1000;
  SessionRecorder::Clock Fn() {
    return [this] { return now; };
  }
};

std::string Repeated(std::string_view text, size_t times) {
  std::string all;
  for (size_t i = 0; i < times; ++i) all += text;
  return all;
}

struct TextCase {
  const char* name;
  std::string bytes;  // CP949
  bool asHex;
};

void PrintTo(const TextCase& c, std::ostream* os) {
  *os << c.name;
}

class RecordedTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(RecordedTextTest, ReadsBackByteForByte) {
  const TextCase& c = GetParam();
  test::TempDir dir;
  Clock clock;
  std::string reason;
  {
    auto recorder = SessionRecorder::Start(dir / "r.jsonl", "{class}", clock.Fn(), &reason);
    ASSERT_TRUE(recorder) << reason;
    clock.now += 7;
    recorder->ControlCreated(true, {});
    const OperationInfo& op = *FindOperation(static_cast<int32_t>(Dispid::kGetFieldValue));
    const zqk_value args[] = {Str(c.bytes), Long(-1), Str("OutRec1"), Long(0), Str(c.bytes)};
    // A call has the time of what it was made for.
    clock.now += 1;
    recorder->Call(op, args, ZQK_OK, Str(c.bytes), 42);
    // Real-time records come for what was registered.
    const zqk_value real[] = {Str(c.bytes), Long(65)};
    recorder->Call(*FindOperation(static_cast<int32_t>(Dispid::kAddReal)), real, ZQK_OK, Long(0),
                   1);
    const zqk_value event[] = {Str(c.bytes), Long(65)};
    recorder->Event(static_cast<int32_t>(EventDispid::kOnRealData), event, true);
    recorder->Step({.kind = StepKind::kSet, .control = 1012, .text = c.bytes});
    recorder->Step({.kind = StepKind::kBox,
                    .number = 1,
                    .text = c.bytes,
                    .caption = c.bytes,
                    .buttons = 1,
                    .icon = 2});
  }
  const std::string text = FileText(dir / "r.jsonl");
  EXPECT_EQ(text.find("{\"hex\":") != std::string::npos, c.asHex) << text;
  const std::vector<RecordedEntry> entries = ReadAll(dir / "r.jsonl");
  ASSERT_EQ(entries.size(), 6u);
  const RecordedEntry& call = entries[1];
  EXPECT_EQ(call.timeMs, 7);
  EXPECT_EQ(call.op->dispid, Dispid::kGetFieldValue);
  ASSERT_EQ(call.args.size(), 5u);
  EXPECT_EQ(call.args[0].str, c.bytes);
  EXPECT_EQ(call.args[1].i4, -1);
  EXPECT_EQ(call.args[4].str, c.bytes);
  EXPECT_EQ(call.result.str, c.bytes);
  EXPECT_EQ(call.ns, 42);
  EXPECT_EQ(entries[3].args[0].str, c.bytes);
  EXPECT_TRUE(entries[3].nested);
  EXPECT_EQ(entries[4].step.text, c.bytes);
  EXPECT_EQ(entries[5].step, (RecordedStep{.kind = StepKind::kBox,
                                           .number = 1,
                                           .text = c.bytes,
                                           .caption = c.bytes,
                                           .buttons = 1,
                                           .icon = 2}));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RecordedTextTest,
    testing::Values(TextCase{"empty", "", false}, TextCase{"ASCII", "ESU16 2175.25", false},
                    TextCase{"Korean", "현재가 체결량", false},
                    TextCase{"quotes and control bytes", std::string("\"\\\0\x01\r\n\x7F", 7),
                             false},
                    TextCase{"a lone lead byte", "\xB0", true},
                    TextCase{"a byte that leads nothing", "ab\xFF", true},
                    TextCase{"no CP949 character", "\xC9\xA1", true},
                    // Room is made by the text's own length beyond a few KiB.
                    TextCase{"a long text", Repeated("현재가 \x01\"", 2000), false},
                    TextCase{"long bytes", Repeated("\xFF", 5000), true}));

TEST(SessionRecorder, WritesWholeLinesWhenTheBufferFillsOrIsFlushed) {
  test::TempDir dir;
  Clock clock;
  std::string reason;
  auto recorder = SessionRecorder::Start(dir / "r.jsonl", "{class}", clock.Fn(), &reason);
  ASSERT_TRUE(recorder) << reason;
  const size_t header = std::filesystem::file_size(dir / "r.jsonl");
  recorder->Step({.kind = StepKind::kClick, .control = 1005});
  EXPECT_EQ(std::filesystem::file_size(dir / "r.jsonl"), header) << "held in the buffer";
  recorder->Flush();
  EXPECT_GT(std::filesystem::file_size(dir / "r.jsonl"), header);

  // Lines of about 1 KiB: the buffer goes out once it passes 64 KiB, whole.
  const std::string text(1000, 'x');
  size_t lines = 0;
  while (std::filesystem::file_size(dir / "r.jsonl") < 2 * SessionRecorder::kFlushBytes) {
    recorder->Step({.kind = StepKind::kSet, .control = 1012, .text = text});
    ++lines;
    ASSERT_LT(lines, 1000u);
  }
  const std::string written = FileText(dir / "r.jsonl");
  EXPECT_EQ(written.back(), '\n');
  EXPECT_GE(written.size(), 2 * SessionRecorder::kFlushBytes);
  EXPECT_LT(written.size(), 2 * SessionRecorder::kFlushBytes + 2 * text.size());
  EXPECT_EQ(ReadAll(dir / "r.jsonl").size(), lines + 1);
}

// A file-size limit makes writes fail as a full disk does.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  sighandler_t oldHandler_;
};

TEST(SessionRecorder, AFailedWriteStopsTheRecordingAndKeepsWholeLines) {
  test::TempDir dir;
  Clock clock;
  std::string reason;
  auto recorder = SessionRecorder::Start(dir / "r.jsonl", "{class}", clock.Fn(), &reason);
  ASSERT_TRUE(recorder) << reason;
  std::vector<std::string> failures;
  recorder->SetFailureHandler([&](const std::string& why) { failures.push_back(why); });
  {
    const FileSizeLimit limit(3 * SessionRecorder::kFlushBytes / 2);
    const std::string text(1000, 'x');
    for (int i = 0; i < 200 && recorder->Active(); ++i) {
      recorder->Step({.kind = StepKind::kSet, .control = 1012, .text = text});
    }
  }
  EXPECT_FALSE(recorder->Active());
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("r.jsonl: cannot write: File too large"), std::string::npos)
      << failures[0];
  // Nothing more is written, and what is there reads to its last line.
  const uintmax_t size = std::filesystem::file_size(dir / "r.jsonl");
  recorder->Step({.kind = StepKind::kOk});
  recorder->Flush();
  EXPECT_EQ(std::filesystem::file_size(dir / "r.jsonl"), size);
  EXPECT_EQ(FileText(dir / "r.jsonl").back(), '\n');
  EXPECT_GT(ReadAll(dir / "r.jsonl").size(), 10u);
}

TEST(SessionRecorder, AFileThatCannotBeWrittenIsSaidAtTheStart) {
  test::TempDir dir;
  Clock clock;
  std::string reason;
  std::filesystem::create_directory(dir / "folder");
  EXPECT_FALSE(SessionRecorder::Start(dir / "folder", "{class}", clock.Fn(), &reason));
  EXPECT_EQ(reason, "not a regular file but a directory");
  EXPECT_FALSE(SessionRecorder::Start(dir / "none" / "r.jsonl", "{class}", clock.Fn(), &reason));
  EXPECT_EQ(reason, "No such file or directory");
}

}  // namespace
}  // namespace zqk
