// The overseas master files: delivered by RequestMasterFile through the real
// ABI as "v90001" replies, their row layout, and their agreement with the
// market's product universe.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "sandbox/market/PriceFormat.h"
#include "sandbox/market/ProductUniverse.h"
#include "sandbox/masters/MasterFiles.h"
#include "tests/sandbox/SandboxFixture.h"
#include "tests/support/BuiltFile.h"

namespace zqk::test {
namespace {

using sandbox::MasterFile;
using sandbox::market::Product;
using sandbox::market::ProductKind;

const sandbox::market::ProductUniverse& Universe() {
  static const sandbox::market::ProductUniverse universe;
  return universe;
}

// The documented column widths of each file, without CR LF.
const std::vector<size_t> kFutureWidths = {16, 40, 40, 8, 20, 8, 3, 6, 1, 12, 12, 12, 2, 8, 8, 5};
const std::vector<size_t> kOptionWidths = {16, 40, 40, 8,  20, 16, 1, 12, 8,
                                           3,  6,  1,  12, 12, 12, 8, 8};

std::string Padded(std::string_view value, size_t width) {
  std::string s(value);
  s.resize(std::max(width, s.size()), ' ');
  return s;
}

std::string Row(const std::vector<std::string>& fields, const std::vector<size_t>& widths) {
  std::string row;
  for (size_t i = 0; i < fields.size(); ++i) row += Padded(fields[i], widths.at(i));
  return row + "\r\n";
}

// A row cut at the widths, each field without its trailing blanks.
std::vector<std::string> Fields(std::string_view row, const std::vector<size_t>& widths) {
  std::vector<std::string> fields;
  for (size_t width : widths) {
    const std::string_view f = row.substr(0, width);
    fields.emplace_back(f.substr(0, f.find_last_not_of(' ') + 1));
    row.remove_prefix(std::min(width, row.size()));
  }
  return fields;
}

std::vector<std::string_view> Rows(std::string_view content) {
  std::vector<std::string_view> rows;
  for (size_t at = 0; at < content.size();) {
    const size_t end = content.find("\r\n", at);
    rows.push_back(content.substr(at, end == std::string_view::npos ? end : end + 2 - at));
    at = end == std::string_view::npos ? content.size() : end + 2;
  }
  return rows;
}

// --- Delivery through the agent ---------------------------------------------

// HHMMSS of the agent's clock, which starts at 09:00:00, `ms` in (under an
// hour).
std::string ClockAt(int64_t ms) {
  const int64_t secs = ms / 1000;
  char text[16];
  std::snprintf(text, sizeof text, "09%02d%02d", static_cast<int>(secs / 60 % 60),
                static_cast<int>(secs % 60));
  return text;
}

// What the console reads of one "v90001" reply while its event is delivered.
struct Delivered {
  int64_t at = 0;
  int32_t rqId = 0;
  std::string size, name, answer, header, content, beyond;
};

class MasterFileTest : public SandboxTest {
 protected:
  void SetUp() override {
    Start(R"({"replyLatencyMs": 40, "replyJitterMs": 0, "clockStart": "2016-09-01T09:00:00"})");
    host_->onEvent = [this](const FiredEvent& e) {
      if (e.dispid != kOnTrReply) return;
      EXPECT_EQ(e.args.at(0), S("v90001"));
      Delivered d;
      d.at = e.at;
      d.rqId = e.args.at(1).i4;
      auto field = [&](const char* name) {
        return host_->Str(Dispid::kGetFieldValue, {"v90001", -1, "OutRec1", 0, name});
      };
      d.size = field("파일크기");
      d.name = field("파일명");
      d.answer = field("응답코드");
      d.header = host_->Str(Dispid::kGetDataBlock, {"v90001", -1, 0, 140, 0, "A"});
      const int32_t size = std::stoi(d.size);
      d.content = host_->Str(Dispid::kGetDataBlock, {"v90001", -1, 140, size, 0, "A"});
      d.beyond = host_->Str(Dispid::kGetDataBlock, {"v90001", -1, 140 + size, 1000, 0, "A"});
      delivered_.push_back(d);
    };
  }
  void Request(const char* kind) {
    const CallResult r = host_->Call(Dispid::kRequestMasterFile, {kind, 0});
    ASSERT_EQ(r.status, ZQK_OK);
    EXPECT_EQ(r.value.type, ZQK_VT_EMPTY);
  }

  std::vector<Delivered> delivered_;
};

struct KindCase {
  const char* name;
  std::vector<const char*> requests;
  std::vector<const char*> files;  // in delivery order
};

class MasterFileKindTest : public MasterFileTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(MasterFileKindTest, OneReplyPerFileReadableInsideItsEvent) {
  const KindCase& c = GetParam();
  SignIn();
  Drain();
  const int64_t sentAt = host_->now();
  for (const char* kind : c.requests) Request(kind);
  EXPECT_TRUE(host_->events.empty()) << "replies arrive later, never inside the call";
  const std::vector<FiredEvent> events = Drain();
  ASSERT_EQ(delivered_.size(), c.files.size());
  EXPECT_EQ(events.size(), c.files.size()) << "no message besides the replies";
  for (size_t i = 0; i < c.files.size(); ++i) {
    const Delivered& d = delivered_[i];
    SCOPED_TRACE(c.files[i]);
    const MasterFile* file = sandbox::FindMasterFile(c.files[i]);
    ASSERT_NE(file, nullptr);
    const std::string expected = sandbox::MasterFileContent(*file, Universe());
    EXPECT_EQ(d.at, sentAt + kLatency);
    EXPECT_EQ(d.name, c.files[i]);
    EXPECT_EQ(d.answer, "REOK");
    EXPECT_EQ(d.size, std::to_string(expected.size()));
    EXPECT_TRUE(d.content == expected) << "the content differs from the generated file";
    EXPECT_EQ(d.beyond, "") << "nothing follows the content";
    const size_t rows = expected.size() / sandbox::RowWidth(*file);
    EXPECT_EQ(d.header, Padded("v90001", 6) + Padded("REOK", 4) + Padded(c.files[i], 40) +
                            Padded(d.size, 10) + Padded(std::to_string(rows), 8) +
                            Padded(std::to_string(sandbox::RowWidth(*file)), 4) +
                            Padded(file->kind, 8) + "20160901" + ClockAt(sentAt) +
                            Padded("정상처리되었습니다", 46));
  }
  // One RQID a request, fresh for each, in the order of the requests.
  std::set<int32_t> rqIds;
  for (size_t i = 0; i < delivered_.size(); ++i) {
    EXPECT_GT(delivered_[i].rqId, i > 0 ? delivered_[i - 1].rqId - 1 : 0);
    rqIds.insert(delivered_[i].rqId);
  }
  EXPECT_EQ(rqIds.size(), c.requests.size());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MasterFileKindTest,
    ::testing::Values(KindCase{"All", {"all"}, {"ovs_future.mst", "ovs_option.mst"}},
                      KindCase{"Futures", {"futures"}, {"ovs_future.mst"}},
                      KindCase{"Option", {"option"}, {"ovs_option.mst"}},
                      KindCase{"SeveralQueued",
                               {"all", "option"},
                               {"ovs_future.mst", "ovs_option.mst", "ovs_option.mst"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
  const char* name;
  bool connect;
  bool signIn;
  const char* kind;
  const char* code;
  const char* text;
  bool reply;  // a "v90001" reply without content follows the message
};

class MasterFileRefusalTest : public MasterFileTest,
                              public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(MasterFileRefusalTest, RequestMessageAndNoContent) {
  const RefusalCase& c = GetParam();
  if (c.connect) Connect();
  if (c.signIn) {
    ASSERT_EQ(host_->Long(Dispid::kLogin, {"demo", "demo1234", "cert1234"}), 1);
  }
  Drain();
  Request(c.kind);
  const std::vector<FiredEvent> events = Drain();
  ASSERT_EQ(events.size(), c.reply ? 2u : 1u);
  EXPECT_EQ(events[0].dispid, kOnRequestMessage);
  const int32_t rqId = events[0].args.at(0).i4;
  EXPECT_GT(rqId, 0);
  EXPECT_EQ(events[0].args, (std::vector<Value>{I4(rqId), S(c.code), S(c.text)}));
  if (!c.reply) return;
  EXPECT_EQ(events[1].args, (std::vector<Value>{S("v90001"), I4(rqId)}));
  ASSERT_EQ(delivered_.size(), 1u);
  EXPECT_EQ(delivered_[0].answer, "RERR");
  EXPECT_EQ(delivered_[0].size, "0");
  EXPECT_EQ(delivered_[0].name, "");
  EXPECT_EQ(delivered_[0].header.substr(0, 10), "v90001RERR");
  EXPECT_EQ(delivered_[0].beyond, "");
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, MasterFileRefusalTest,
    ::testing::Values(RefusalCase{"NotConnected", false, false, "all", "-100",
                                  "통신이 연결되어 있지 않습니다", false},
                      RefusalCase{"NotSignedIn", true, false, "futures", "-104",
                                  "로그인되어 있지 않습니다", false},
                      RefusalCase{"UnknownKind", true, true, "stocks", "-112",
                                  "알 수 없는 마스터파일 구분입니다[stocks]", true},
                      RefusalCase{"KindIsCaseSensitive", true, true, "ALL", "-112",
                                  "알 수 없는 마스터파일 구분입니다[ALL]", true},
                      RefusalCase{"EmptyKind", true, true, "", "-112",
                                  "알 수 없는 마스터파일 구분입니다", true}),
    [](const auto& info) { return std::string(info.param.name); });

// --- The files themselves ---------------------------------------------------

struct LayoutCase {
  const char* name;
  const char* file;
  size_t rows;
  const std::vector<size_t>* widths;
  std::vector<std::vector<std::string>> knownRows;  // whole rows, field by field
};

class MasterFileLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(MasterFileLayoutTest, FixedWidthRowsOfEveryProduct) {
  const LayoutCase& c = GetParam();
  const MasterFile* file = sandbox::FindMasterFile(c.file);
  ASSERT_NE(file, nullptr);
  size_t width = 2;
  for (size_t w : *c.widths) width += w;
  EXPECT_EQ(sandbox::RowWidth(*file), width);
  const std::string content = sandbox::MasterFileContent(*file, Universe());
  const std::vector<std::string_view> rows = Rows(content);
  EXPECT_EQ(rows.size(), c.rows);
  for (std::string_view row : rows) {
    ASSERT_EQ(row.size(), width) << row;
    ASSERT_TRUE(row.ends_with("\r\n")) << row;
  }
  for (const std::vector<std::string>& known : c.knownRows) {
    const std::string expected = Row(known, *c.widths);
    EXPECT_NE(content.find(expected), std::string::npos) << "missing or different: " << expected;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, MasterFileLayoutTest,
    ::testing::Values(
        LayoutCase{
            "Futures",
            "ovs_future.mst",
            333,
            &kFutureWidths,
            {{"ESU16", "미니 S&P500 201609", "E-mini S&P 500 Sep16", "ES", "미니 S&P500", "CME",
              "USD", "201609", "2", "0.25", "12.50", "50", "0", "20150915", "20160916", "5.00"},
             {"ZNZ16", "미국채10년 201612", "10-Year T-Note Dec16", "ZN", "미국채10년", "CBOT",
              "USD", "201612", "6", "0.015625", "15.625", "1000", "32", "20151215", "20161220",
              "2.00"},
             {"CLX16", "WTI 원유 201611", "Crude Oil WTI Nov16", "CL", "WTI 원유", "NYMEX", "USD",
              "201611", "2", "0.01", "10.00", "1000", "0", "20151113", "20161020", "8.00"},
             {"NKZ16", "SGX 니케이225 201612", "SGX Nikkei 225 Dec16", "NK", "SGX 니케이225", "SGX",
              "JPY", "201612", "0", "5", "2500.00", "500", "0", "20151215", "20161208", "7.00"},
             // Listed by the middle of August 2016 however far out its month.
             {"FGBLZ18", "유로분트 201812", "Euro-Bund Dec18", "FGBL", "유로분트", "EUREX", "EUR",
              "201812", "2", "0.01", "10.00", "1000", "0", "20160815", "20181207", "3.00"}}},
        LayoutCase{"Options",
                   "ovs_option.mst",
                   242,
                   &kOptionWidths,
                   {{"OESU16C2175", "미니 S&P500 C 201609 2175", "E-mini S&P 500 Sep16 Call 2175",
                     "OES", "미니 S&P500 옵션", "ESU16", "C", "2175.00", "CME", "USD", "201609",
                     "2", "0.25", "12.50", "50", "20150915", "20160916"},
                    {"O6EZ16P1140", "유로FX P 201612 1.14", "Euro FX Dec16 Put 1.14", "O6E",
                     "유로FX 옵션", "6EZ16", "P", "1.14000", "CME", "USD", "201612", "5", "0.00005",
                     "6.25", "125000", "20151215", "20161219"},
                    {"OGCZ16P1300", "금 P 201612 1300", "Gold Dec16 Put 1300", "OGC", "금 옵션",
                     "GCZ16", "P", "1300.0", "COMEX", "USD", "201612", "1", "0.1", "10.00", "100",
                     "20151215", "20161227"}}}),
    [](const auto& info) { return std::string(info.param.name); });

// Every overseas future and option is listed once, in the universe's order,
// with the figures that quotes and orders use.
TEST(MasterFileUniverseTest, RowsAgreeWithTheProducts) {
  struct FileCase {
    const char* file;
    const std::vector<size_t>* widths;
    bool options;
    size_t exchangeColumn;
  };
  for (const FileCase& c : {FileCase{"ovs_future.mst", &kFutureWidths, false, 5},
                            FileCase{"ovs_option.mst", &kOptionWidths, true, 8}}) {
    SCOPED_TRACE(c.file);
    std::vector<const Product*> listed;
    for (const Product& p : Universe().All()) {
      if (p.market == sandbox::Market::kOverseas && p.IsOption() == c.options &&
          (c.options || p.kind == ProductKind::kFuture)) {
        listed.push_back(&p);
      }
    }
    const std::string content =
        sandbox::MasterFileContent(*sandbox::FindMasterFile(c.file), Universe());
    const std::vector<std::string_view> rows = Rows(content);
    ASSERT_EQ(rows.size(), listed.size());
    for (size_t i = 0; i < rows.size(); ++i) {
      const Product& p = *listed[i];
      const std::vector<std::string> f = Fields(rows[i], *c.widths);
      SCOPED_TRACE(p.code);
      EXPECT_EQ(f[0], p.code);
      EXPECT_EQ(sandbox::market::ParseDecimal(p, f[c.exchangeColumn + 4]), p.tick);
      EXPECT_EQ(f[c.exchangeColumn], p.exchange);
      EXPECT_EQ(f[c.exchangeColumn + 1], p.currency);
      EXPECT_EQ(f[c.widths->size() - (c.options ? 1 : 2)], std::to_string(p.expiry));
      if (c.options) {
        EXPECT_EQ(f[5], p.underlying);
        EXPECT_NE(Universe().Find(f[5]), nullptr);
        EXPECT_EQ(sandbox::market::ParseDecimal(p, f[7]), p.strike);
      }
    }
  }
}

// The tool that writes the generated files for scripts to compare with.
TEST(MasterFileToolTest, WritesTheFilesOfAKind) {
  struct ToolCase {
    const char* kind;  // null: none given
    int status;
    std::vector<const char*> files;
  };
  const ToolCase cases[] = {
      {nullptr, 0, {"ovs_future.mst", "ovs_option.mst"}},
      {"option", 0, {"ovs_option.mst"}},
      {"stocks", 2, {}},
  };
  for (const ToolCase& c : cases) {
    SCOPED_TRACE(c.kind ? c.kind : "(none)");
    TempDir dir;
    const std::string command = std::string(ZQK_MASTER_FILES_TOOL) + " " + dir.path().string() +
                                (c.kind ? std::string(" ") + c.kind : std::string());
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), c.status);
    std::set<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      written.insert(entry.path().filename().string());
      const MasterFile* file = sandbox::FindMasterFile(entry.path().filename().string());
      ASSERT_NE(file, nullptr) << entry.path();
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), {});
      EXPECT_TRUE(bytes == sandbox::MasterFileContent(*file, Universe())) << entry.path();
    }
    EXPECT_EQ(written, std::set<std::string>(c.files.begin(), c.files.end()));
  }
}

}  // namespace
}  // namespace zqk::test
