// Master-file replies from the input, written into a private mst/ that holds
// a link to a file outside it, a folder and a file from an earlier download.
// After each reply mst/ must hold exactly what the download rules say: a
// reply with content replaces its file whole, one without content leaves an
// existing file as it was and creates a missing one empty, a refused name or
// a negative size changes nothing, a folder is never replaced. Nothing
// outside mst/ is ever written, and no temporary file stays behind.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/support/CannedAgent.h"
#include "fuzz/support/FuzzMain.h"
#include "fuzz/support/PrivateFolder.h"
#include "replies/MasterFileDecoder.h"
#include "replies/MasterFilePath.h"
#include "text/DecimalText.h"

namespace zqk::fuzz {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kOutsideContent = "outside mst/: never written";

struct Entry {
  fs::file_type type = fs::file_type::none;
  std::string content;  // a file's bytes, a link's target

  bool operator==(const Entry&) const = default;
};
using Snapshot = std::map<std::string, Entry>;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Snapshot Take(const fs::path& dir) {
  Snapshot s;
  for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
    Entry entry{e.symlink_status().type(), {}};
    if (entry.type == fs::file_type::regular) entry.content = ReadFile(e.path());
    if (entry.type == fs::file_type::symlink) entry.content = fs::read_symlink(e.path()).string();
    s[e.path().filename().string()] = entry;
  }
  return s;
}

// What mst/ holds after the reply `e`, by the rules, from what it held before.
Snapshot Expected(Snapshot s, const fs::path& folder, const CannedEvent& e, CannedAgent& agent) {
  const std::string code = e.code;
  auto field = [&](std::string_view name) {
    return agent.GetFieldValue(code, -1, "OutRec1", 0, name);
  };
  const int32_t size = LeadingInt32(field("파일크기"));
  const std::optional<fs::path> target = MasterFilePath(folder, field("파일명"));
  if (field("응답코드") != "REOK" || !target || size < 0) return s;
  const std::string content =
      agent.GetDataBlock(code, -1, 140, size, 0, "A").substr(0, static_cast<size_t>(size));
  const std::string name = target->filename().string();
  const auto it = s.find(name);
  std::error_code ec;
  const bool exists = fs::exists(*target, ec);
  if (it != s.end() && it->second.type == fs::file_type::directory) return s;
  if (content.empty() && exists) return s;
  s[name] = Entry{fs::file_type::regular, content};
  return s;
}

}  // namespace

void RunOne(std::string_view input) {
  const PrivateFolder folder;
  const fs::path mst = folder.path() / "mst";
  std::ofstream(folder.path() / "outside") << kOutsideContent;
  fs::create_symlink("../outside", mst / "link.mst");
  fs::create_directory(mst / "folder.mst");
  std::ofstream(mst / "ovs_future.mst") << "an earlier download";

  CannedAgent agent;
  CheckedOutput out;
  for (const CannedEvent& e : ParseCannedEvents(input, 32)) {
    agent.Deliver(e);
    out.Deliver(e);
    const Snapshot before = Take(mst);
    const Snapshot expected = Expected(before, folder.path(), e, agent);
    agent.Deliver(e);
    DecodeMasterFile(e.code, agent, out, folder.path());
    Check(Take(mst) == expected, "mst/ does not hold what the download rules say");
    Check(ReadFile(folder.path() / "outside") == kOutsideContent, "a file outside mst/ changed");
    size_t entries = 0;
    for (const fs::directory_entry& d : fs::directory_iterator(folder.path())) {
      (void)d;
      ++entries;
    }
    Check(entries == 2, "something was written beside mst/");
  }
}

}  // namespace zqk::fuzz
