// docs/sandbox.md says what the broker's tables say: its generated parts are
// what zqk-protocol-doc writes from them today.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/RegularFile.h"
#include "tools/zqk-protocol-doc/ProtocolDoc.h"

namespace zqk::test {
namespace {

TEST(ProtocolDoc, TheSandboxDocumentSaysWhatTheTablesSay) {
  const char* dir = std::getenv("ZQK_SOURCE_DIR");
  ASSERT_NE(dir, nullptr) << "ZQK_SOURCE_DIR names the source tree";
  const FileRead read =
      ReadWholeFile(std::filesystem::path(dir) / "docs" / "sandbox.md", 4 * kMebibyte);
  ASSERT_EQ(read.status, FileRead::Status::kRead) << read.reason;
  std::string why;
  const std::optional<std::string> regenerated = doc::RegenerateDocument(read.bytes, &why);
  ASSERT_TRUE(regenerated) << why;
  EXPECT_TRUE(*regenerated == read.bytes)
      << "docs/sandbox.md differs from the tables of protocol/: run "
         "zqk-protocol-doc --write docs/sandbox.md";
}

// Every part between its markers, each holding a stale text.
std::string StaleDocument() {
  std::string document;
  for (const char* part : {"query services", "raw blocks", "FID field numbers", "order layouts"}) {
    document.append("before\n").append(doc::StartMarker(part)).append("\nstale\n");
    document.append(doc::EndMarker(part)).append("\n");
  }
  return document;
}

TEST(ProtocolDoc, RewritingReplacesWhatStandsBetweenTheMarkersAndIsStable) {
  const std::optional<std::string> once = doc::RegenerateDocument(StaleDocument(), nullptr);
  ASSERT_TRUE(once);
  EXPECT_EQ(once->find("stale"), std::string::npos);
  EXPECT_NE(once->find(doc::OrderLayoutsTable()), std::string::npos);
  EXPECT_EQ(doc::RegenerateDocument(*once, nullptr), once);
}

TEST(ProtocolDoc, ADocumentThatLacksAPartsEndMarkerIsNotRewritten) {
  std::string document = StaleDocument();
  const std::string end = doc::EndMarker("order layouts");
  document.erase(document.find(end), end.size());
  std::string why;
  EXPECT_FALSE(doc::RegenerateDocument(document, &why));
  EXPECT_NE(why.find("order layouts"), std::string::npos) << why;
}

}  // namespace
}  // namespace zqk::test
