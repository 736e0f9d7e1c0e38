// Master-file replies through the fixture agent, decoded as the reply
// dispatcher decodes "v90001", into a directory that stands for the
// executable's (its name is Korean, so every path is converted both ways).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <optional>

#include "replies/MasterFileDecoder.h"
#include "replies/MasterFilePath.h"
#include "tests/support/Files.h"
#include "tests/support/FixtureDialog.h"

namespace zqk {
namespace {

namespace fs = std::filesystem;
using test::Texts;

std::string Bytes(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 + i / 256);
  return s;
}

class MasterFileDownload : public testing::Test {
 protected:
  // The agent delivers one master-file reply, and the dialog decodes it.
  void Download(const std::string& size, const std::string& name, const std::string& answer,
                const std::string& content) {
    f.FireReply(kMasterFileTrCode, 5, {{"파일크기", size}, {"파일명", name}, {"응답코드", answer}},
                std::string(140, 'H') + content);
  }
  // `lines` with "{mst}" replaced by the directory as the log shows it.
  Texts Expected(Texts lines) const {
    const std::string mst = Utf8ToCp949((exe / "mst").string());
    for (std::string& line : lines) {
      if (const size_t at = line.find("{mst}"); at != std::string::npos) line.replace(at, 5, mst);
    }
    return lines;
  }
  // Every entry under the executable's directory.
  Texts Listing() const {
    Texts names;
    for (const auto& e : fs::recursive_directory_iterator(exe)) {
      names.push_back(Utf8ToCp949(fs::relative(e.path(), exe).string()));
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // An executable's directory whose name is not ASCII: the log shows it in CP949.
  test::FixtureDialog f{{}, Cp949ToUtf8("실행 파일")};
  const fs::path& exe = f.rig.exeDir();
};

struct DownloadCase {
  std::string name;
  std::string size;
  std::string fileName;
  std::string answer;
  std::string content;  // the reply's data from offset 140
  Texts lines;
  std::optional<std::string> file;  // the file's content afterwards; none: no such file
  std::optional<std::string> existing = std::nullopt;
  bool english = false;
  bool mstExists = true;
};

class Outcomes : public MasterFileDownload, public testing::WithParamInterface<DownloadCase> {};

TEST_P(Outcomes, LinesAndFile) {
  const DownloadCase& c = GetParam();
  if (c.english) f.dlg().Click(id::kEnglish);
  if (!c.mstExists) fs::remove(exe / "mst");
  if (c.mstExists) fs::create_directory(exe / "mst");
  const std::optional<fs::path> target = MasterFilePath(exe, c.fileName);
  if (c.existing) {
    std::ofstream(*target, std::ios::binary) << *c.existing;
    fs::permissions(*target,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  }
  Download(c.size, c.fileName, c.answer, c.content);

  EXPECT_EQ(f.Lines(), Expected(c.lines));
  Texts listing = c.mstExists ? Texts{"mst"} : Texts{};
  if (c.file || c.existing) listing.push_back(std::string("mst/").append(c.fileName));
  EXPECT_EQ(Listing(), listing) << "nothing else is written, no temporary file is left";
  if (c.file) {
    EXPECT_EQ(test::ReadWholeFile(*target), *c.file);
  }
  if (c.existing) {
    EXPECT_EQ(fs::status(*target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  }
}

const std::string kContent = Bytes(1000);
const std::string kLarge = Bytes(size_t{2} << 20);

INSTANTIATE_TEST_SUITE_P(
    Cases, Outcomes,
    testing::Values(
        DownloadCase{"Written",
                     "1000",
                     "ABC.mst",
                     "REOK",
                     kContent,
                     {"파일크기[1000]", "처리완료"},
                     kContent},
        DownloadCase{
            "KoreanName", "3", "해외선물.mst", "REOK", "abc", {"파일크기[3]", "처리완료"}, "abc"},
        DownloadCase{"LowerCaseAnswer",
                     "3",
                     "ABC.mst",
                     "reok",
                     "abc",
                     {"파일크기[3]", "처리완료"},
                     std::nullopt},
        DownloadCase{"AnswerWithABlank",
                     "3",
                     "ABC.mst",
                     "REOK ",
                     "abc",
                     {"파일크기[3]", "처리완료"},
                     "old",
                     "old"},
        DownloadCase{"MissingDirectory",
                     "3",
                     "해외선물.mst",
                     "REOK",
                     "abc",
                     {"파일크기[3]", "{mst}/해외선물.mst화일 생성에 실패하였습니다."},
                     std::nullopt,
                     std::nullopt,
                     false,
                     false},
        DownloadCase{"ShortBlock",
                     "1000",
                     "ABC.mst",
                     "REOK",
                     kContent.substr(0, 600),
                     {"파일크기[1000]",
                      "수신된 내용이 [600]바이트뿐이어서 그만큼만 기록하였습니다.", "처리완료"},
                     kContent.substr(0, 600)},
        // Large enough that the file's blocks are reserved before the write:
        // the file still holds exactly what was written, not what was
        // announced or what the old file held.
        DownloadCase{"LargeShortBlockOverALongerFile",
                     "3000000",
                     "ABC.mst",
                     "REOK",
                     kLarge,
                     {"파일크기[3000000]",
                      "수신된 내용이 [2097152]바이트뿐이어서 그만큼만 기록하였습니다.", "처리완료"},
                     kLarge,
                     std::string(size_t{4} << 20, 'o')},
        DownloadCase{
            "LongBlock", "4", "ABC.mst", "REOK", "abcdefgh", {"파일크기[4]", "처리완료"}, "abcd"},
        DownloadCase{"NegativeSize",
                     "-5",
                     "ABC.mst",
                     "REOK",
                     "abc",
                     {"파일크기[-5]", "파일크기가 음수여서 파일을 기록하지 않았습니다."},
                     "old",
                     "old"},
        DownloadCase{
            "NoDigitsInTheSize", "abc", "ABC.mst", "REOK", "abc", {"파일크기[0]", "처리완료"}, ""},
        // A size of 0, or one that is not a number, writes nothing: the old
        // file keeps every byte, as writing nothing into it in place would.
        DownloadCase{"SizeNotANumberKeepsTheFile",
                     "abc",
                     "ABC.mst",
                     "REOK",
                     "abc",
                     {"파일크기[0]", "처리완료"},
                     "old",
                     "old"},
        DownloadCase{"EmptySizeKeepsTheFile",
                     "",
                     "ABC.mst",
                     "REOK",
                     "abc",
                     {"파일크기[0]", "처리완료"},
                     "old",
                     "old"},
        DownloadCase{"BlankSizeKeepsTheFile",
                     "   ",
                     "ABC.mst",
                     "REOK",
                     "abc",
                     {"파일크기[0]", "처리완료"},
                     "old",
                     "old"},
        DownloadCase{"HexSizeKeepsTheFile",
                     "0x10",
                     "ABC.mst",
                     "REOK",
                     "abc",
                     {"파일크기[0]", "처리완료"},
                     "old",
                     "old"},
        DownloadCase{"ZeroSizeKeepsTheFile",
                     "0",
                     "ABC.mst",
                     "REOK",
                     "abc",
                     {"파일크기[0]", "처리완료"},
                     "old",
                     "old"},
        DownloadCase{"ZeroSizeCreatesAMissingFile",
                     "0",
                     "ABC.mst",
                     "REOK",
                     "abc",
                     {"파일크기[0]", "처리완료"},
                     ""},
        DownloadCase{"NoContentKeepsTheFile",
                     "1000",
                     "ABC.mst",
                     "REOK",
                     "",
                     {"파일크기[1000]", "수신된 내용이 [0]바이트뿐이어서 그만큼만 기록하였습니다.",
                      "처리완료"},
                     "old",
                     "old"},
        DownloadCase{"ALongerFileReplacedWhole",
                     "3",
                     "ABC.mst",
                     "REOK",
                     "new",
                     {"파일크기[3]", "처리완료"},
                     "new",
                     std::string(5000, 'o')},
        DownloadCase{"EnglishWritten",
                     "3",
                     "ABC.mst",
                     "REOK",
                     "abc",
                     {"file size[3]", "File Download Done"},
                     "abc",
                     std::nullopt,
                     true},
        DownloadCase{"EnglishFailure",
                     "3",
                     "ABC.mst",
                     "REOK",
                     "abc",
                     {"file size[3]", "{mst}/ABC.mst Fail Create File"},
                     std::nullopt,
                     std::nullopt,
                     true,
                     false}),
    [](const testing::TestParamInfo<DownloadCase>& info) { return info.param.name; });

TEST_F(MasterFileDownload, NamesThatCouldLeaveTheDirectoryAreRefused) {
  fs::create_directory(exe / "mst");
  // The name as the failure line shows it: up to its last whole character, so
  // that a lone lead byte at its end does not swallow the line's next byte.
  const std::pair<std::string, std::string> names[] = {
      {"../ABC.mst", "../ABC.mst"},
      {"a/b", "a/b"},
      {"a\\b", "a\\b"},
      {"..", ".."},
      {".", "."},
      {"", ""},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
      {"a\x81", "a"},
      {"ABC\xB0", "ABC"},
      {"\xB0\xA1\xB0", "\xB0\xA1"}};
  for (const auto& [name, shown] : names) {
    f.dlg().Log().Clear();
    Download("3", name, "REOK", "abc");
    std::string failure = Utf8ToCp949((exe / "mst").string());
    failure.append("/").append(shown).append("화일 생성에 실패하였습니다.");
    EXPECT_EQ(f.Lines(), (Texts{"파일크기[3]", failure})) << Cp949ToUtf8(name);
  }
  EXPECT_EQ(Listing(), Texts{"mst"});
  EXPECT_TRUE(f.ArgsOf("GetDataBlock").empty());
}

// What stood at mst/ABC.mst before the download, and the mode the file has
// after it: a replaced file keeps its permission bits but never set-user-ID,
// set-group-ID or sticky; a new file, or one in place of a link, has a new
// file's 0666 less the umask (022 here); a link is replaced, what it led to
// is left as it was.
struct ModeCase {
  std::string name;
  enum { kNothing, kFile, kLink } before;
  mode_t oldMode;  // of the file, or of what the link leads to
  mode_t newMode;
};

class Modes : public MasterFileDownload, public testing::WithParamInterface<ModeCase> {};

TEST_P(Modes, OfTheReplacedFile) {
  const ModeCase& c = GetParam();
  fs::create_directory(exe / "mst");
  const fs::path target = exe / "mst" / "ABC.mst";
  const fs::path elsewhere = exe / "program";
  const fs::path old = c.before == ModeCase::kLink ? elsewhere : target;
  if (c.before != ModeCase::kNothing) {
    std::ofstream(old, std::ios::binary) << "old";
    ASSERT_EQ(::chmod(old.c_str(), c.oldMode), 0);
  }
  if (c.before == ModeCase::kLink) fs::create_symlink(elsewhere, target);
  const mode_t umask = ::umask(022);
  Download("3", "ABC.mst", "REOK", "new");
  ::umask(umask);

  EXPECT_EQ(f.Lines(), (Texts{"파일크기[3]", "처리완료"}));
  struct stat after {};
  ASSERT_EQ(::lstat(target.c_str(), &after), 0);
  EXPECT_TRUE(S_ISREG(after.st_mode)) << "a link is replaced by the file";
  EXPECT_EQ(after.st_mode & 07777, c.newMode);
  EXPECT_EQ(test::ReadWholeFile(target), "new");
  if (c.before == ModeCase::kLink) {
    struct stat untouched {};
    ASSERT_EQ(::stat(elsewhere.c_str(), &untouched), 0);
    EXPECT_EQ(untouched.st_mode & 07777, c.oldMode);
    EXPECT_EQ(test::ReadWholeFile(elsewhere), "old");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Modes,
    testing::Values(ModeCase{"New", ModeCase::kNothing, 0, 0644},
                    ModeCase{"Replaced", ModeCase::kFile, 0640, 0640},
                    ModeCase{"ReplacedSetUserId", ModeCase::kFile, 04755, 0755},
                    ModeCase{"ReplacedSetGroupIdAndSticky", ModeCase::kFile, 03775, 0775},
                    ModeCase{"LinkToASetUserIdProgram", ModeCase::kLink, 04755, 0644},
                    ModeCase{"LinkToAPrivateFile", ModeCase::kLink, 0600, 0644}),
    [](const testing::TestParamInfo<ModeCase>& info) { return info.param.name; });

TEST_F(MasterFileDownload, NoContentIsFetchedUnlessItCanBeWritten) {
  Download("3", "ABC.mst", "reok", "abc");  // no content in this reply
  Download("-3", "ABC.mst", "REOK", "abc");
  fs::remove(exe / "mst");
  Download("3", "ABC.mst", "REOK", "abc");
  EXPECT_TRUE(f.ArgsOf("GetDataBlock").empty());
  fs::create_directory(exe / "mst");
  Download("3", "ABC.mst", "REOK", "abc");
  EXPECT_EQ(f.ArgsOf("GetDataBlock"), (std::vector<Texts>{{"v90001", "-1", "140", "3", "0", "A"}}));
}

// The disk fills up while the file is written: a file-size limit of the
// process makes the write fail as a full disk does.
TEST_F(MasterFileDownload, AFailedWriteIsReportedAndKeepsTheOldFileWhole) {
  fs::create_directory(exe / "mst");
  const fs::path target = exe / "mst" / "ABC.mst";
  const std::string old(3000, 'o');
  std::ofstream(target, std::ios::binary) << old;
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limited = saved;
  limited.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  Download("65536", "ABC.mst", "REOK", Bytes(65536));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  const Texts lines = f.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "파일크기[65536]");
  const std::string failure = Utf8ToCp949(target.string()) + "화일 기록에 실패하였습니다: ";
  EXPECT_EQ(lines[1].substr(0, failure.size()), failure);
  EXPECT_GT(lines[1].size(), failure.size()) << "the system's reason follows";
  EXPECT_EQ(test::ReadWholeFile(target), old);
  EXPECT_EQ(Listing(), (Texts{"mst", "mst/ABC.mst"}));
}

}  // namespace
}  // namespace zqk
