// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_unit.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace arb::rt {
namespace {

namespace fs = std::filesystem;

class FileUnitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("arb_fu_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const char* name) const { return (dir_ / name).string(); }
  void put(const char* name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
  std::string get(const char* name) const {
    std::ifstream in(path(name), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  static std::vector<std::string> records(FileUnit& f, int tab = 8) {
    std::vector<std::string> out;
    std::string_view rec;
    while (f.read_record(rec, tab)) out.emplace_back(rec);
    return out;
  }
  fs::path dir_;
};

TEST_F(FileUnitTest, LineEndsTabsAndALastLineWithoutLineEnd) {
  struct Case {
    std::string bytes;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {"a\nbb\n", {"a", "bb"}},
      {"a\r\nbb\r\n", {"a", "bb"}},       // CR LF reads as LF
      {"a\nbb", {"a", "bb"}},             // the last line is still a record
      {"\n\n", {"", ""}},
      {"", {}},
      {" 1950\t12.3\n", {" 1950   12.3"}},  // 12.3 starts in column 9
      {"\tx\n12345678\ty\n", {"        x", "12345678        y"}},
      {"a\rb\n", {"ab"}},
  };
  for (const auto& c : cases) {
    put("f", c.bytes);
    auto f = FileUnit::open(path("f"), OpenStatus::Old, 0664);
    EXPECT_EQ(records(*f), c.want) << c.bytes;
  }
}

TEST_F(FileUnitTest, TabSizeFromTheOption) {
  put("f", "ab\tc\n");
  auto f = FileUnit::open(path("f"), OpenStatus::Old, 0664);
  EXPECT_EQ(records(*f, 4), std::vector<std::string>{"ab  c"});
}

// However long the line, a record keeps its first kRecordColumns columns
// and the next record is read whole; a line within the read buffer and one
// beyond it give the same record.
TEST_F(FileUnitTest, LongLinesKeepTheirFirstColumnsOnly) {
  const std::size_t k = kRecordColumns;
  const std::string big(1'000'000, 'x');
  struct Case {
    std::string line;
    int tab;
    std::string want;
  };
  const Case cases[] = {
      {big, 8, std::string(k, 'x')},
      {std::string(k + 1, 'y'), 8, std::string(k, 'y')},
      {std::string(k, 'z'), 8, std::string(k, 'z')},
      {std::string(100'000, '\t'), 1000, std::string(k, ' ')},   // tab width and length both large
      {std::string(5, '\t') + "ab", 1000, std::string(k, ' ')},  // five tabs already pass the bound
      {std::string(200'000, '\r') + "ab", 8, "ab"},               // dropped CRs take no columns
      {"ab\t" + big, 8, "ab      " + std::string(k - 8, 'x')},
  };
  for (const auto& c : cases) {
    put("f", c.line + "\nshort\n" + c.line);
    auto f = FileUnit::open(path("f"), OpenStatus::Old, 0664);
    const auto recs = records(*f, c.tab);
    ASSERT_EQ(recs.size(), 3u) << c.line.size();
    EXPECT_EQ(recs[0], c.want) << c.line.size();
    EXPECT_EQ(recs[1], "short");
    EXPECT_EQ(recs[2], c.want) << c.line.size();
  }
}

TEST_F(FileUnitTest, BackspaceOverALongLineRereadsIt) {
  const std::string big(300'000, 'b');
  put("f", "one\n" + big + "\nthree\n");
  auto f = FileUnit::open(path("f"), OpenStatus::Old, 0664);
  std::string_view rec;
  ASSERT_TRUE(f->read_record(rec, 8));
  ASSERT_TRUE(f->read_record(rec, 8));
  f->backspace();
  ASSERT_TRUE(f->read_record(rec, 8));
  EXPECT_EQ(rec, std::string(kRecordColumns, 'b'));
  ASSERT_TRUE(f->read_record(rec, 8));
  EXPECT_EQ(rec, "three");
}

TEST_F(FileUnitTest, BackspaceRereadsTheRecordReadLast) {
  put("f", "one\ntwo\nthree");
  auto f = FileUnit::open(path("f"), OpenStatus::Old, 0664);
  std::string_view rec;
  ASSERT_TRUE(f->read_record(rec, 8));
  ASSERT_TRUE(f->read_record(rec, 8));
  f->backspace();
  ASSERT_TRUE(f->read_record(rec, 8));
  EXPECT_EQ(rec, "two");
  ASSERT_TRUE(f->read_record(rec, 8));
  EXPECT_EQ(rec, "three");
  f->backspace();  // a last line without its line end
  ASSERT_TRUE(f->read_record(rec, 8));
  EXPECT_EQ(rec, "three");
  EXPECT_FALSE(f->read_record(rec, 8));
  f->backspace();  // after the end of the file, the next read meets it again
  EXPECT_FALSE(f->read_record(rec, 8));
  f->rewind();
  ASSERT_TRUE(f->read_record(rec, 8));
  EXPECT_EQ(rec, "one");
  f->backspace();
  f->backspace();  // at the start: stays there
  ASSERT_TRUE(f->read_record(rec, 8));
  EXPECT_EQ(rec, "one");
}

// The record number follows every move: the line number in the file of
// the record read last.
// A second line longer than the read buffer takes the long-record path.
TEST_F(FileUnitTest, RecordNumberFollowsBackspaceRewindAndTheEnd) {
  for (const std::string& second : {std::string("two"), std::string(100'000, 't')}) {
    put("f", "one\n" + second + "\nthree");
    auto f = FileUnit::open(path("f"), OpenStatus::Old, 0664);
    std::string_view rec;
    struct Step {
      char op;  // r read, b backspace, w rewind
      std::int64_t number;
    } steps[] = {{'r', 1}, {'r', 2}, {'b', 1}, {'r', 2}, {'r', 3}, {'r', 3}, {'b', 3},
                 {'r', 3}, {'b', 3}, {'b', 2}, {'w', 0}, {'b', 0}, {'r', 1}};
    for (const Step& s : steps) {
      if (s.op == 'r') f->read_record(rec, 8);
      if (s.op == 'b') f->backspace();
      if (s.op == 'w') f->rewind();
      EXPECT_EQ(f->record_number(), s.number) << s.op << " with a second line of " << second.size();
    }
  }
}

TEST_F(FileUnitTest, AnExistingFileIsCutAtTheFirstWriteOnly) {
  put("out", "old contents that are longer\nsecond old line\n");
  {
    auto f = FileUnit::open(path("out"), OpenStatus::Unknown, 0664);
    f->close();  // opened, nothing written: the old contents stay
  }
  EXPECT_EQ(get("out"), "old contents that are longer\nsecond old line\n");
  {
    auto f = FileUnit::open(path("out"), OpenStatus::Unknown, 0664);
    f->write_record(" new  ", true);  // never trimmed
    f->write_record("no end", false);
    f->close();
  }
  EXPECT_EQ(get("out"), " new  \nno end");
}

TEST_F(FileUnitTest, OutputIsFlushedBeforeRewindAndCutThere) {
  auto f = FileUnit::open(path("rw"), OpenStatus::Unknown, 0664);
  for (int i = 0; i < 3000; ++i) f->write_record("line " + std::to_string(i), true);
  f->rewind();
  std::string_view rec;
  ASSERT_TRUE(f->read_record(rec, 8));
  EXPECT_EQ(rec, "line 0");
  ASSERT_TRUE(f->read_record(rec, 8));
  f->backspace();
  f->write_record("replaced", true);  // cuts the file after record 1
  f->close();
  EXPECT_EQ(get("rw"), "line 0\nreplaced\n");
}

TEST_F(FileUnitTest, OpenStatuses) {
  put("exists", "x\n");
  EXPECT_THROW(FileUnit::open(path("missing"), OpenStatus::Old, 0664), IoError);
  try {
    FileUnit::open(path("exists"), OpenStatus::New, 0664);
    ADD_FAILURE() << "NEW opened an existing file";
  } catch (const IoError& e) {
    EXPECT_EQ(e.code, static_cast<int>(Err::StatusNew));
    EXPECT_FALSE(e.system);
  }
  try {
    FileUnit::open(path("missing"), OpenStatus::Old, 0664);
  } catch (const IoError& e) {
    EXPECT_TRUE(e.system);
    EXPECT_EQ(e.text, "No such file or directory");
  }
  EXPECT_THROW(FileUnit::open(path("x"), OpenStatus::Scratch, 0664), IoError);
  EXPECT_THROW(FileUnit::open(dir_.string(), OpenStatus::Old, 0664), IoError);  // a folder
  EXPECT_THROW(FileUnit::open("", OpenStatus::Unknown, 0664), IoError);
  auto n = FileUnit::open(path("new"), OpenStatus::New, 0664);
  EXPECT_TRUE(fs::exists(path("new")));
  auto r = FileUnit::open(path("exists"), OpenStatus::Replace, 0664);
  EXPECT_EQ(get("exists"), "");
}

TEST_F(FileUnitTest, CreatedFilesGetTheConfiguredPermissions) {
  for (unsigned mode : {0664u, 0600u, 0640u}) {
    std::string p = path(("m" + std::to_string(mode)).c_str());
    auto f = FileUnit::open(p, OpenStatus::Unknown, mode);
    struct stat st{};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode);
  }
}

TEST_F(FileUnitTest, ReadOnlyFileFallsBackToReading) {
  if (::geteuid() == 0) GTEST_SKIP() << "root can write any file";
  put("ro", "data\n");
  fs::permissions(path("ro"), fs::perms::owner_read);
  auto f = FileUnit::open(path("ro"), OpenStatus::Old, 0664);
  EXPECT_FALSE(f->writable());
  EXPECT_EQ(records(*f), std::vector<std::string>{"data"});
  EXPECT_THROW(f->write_record("x", true), IoError);
}

TEST_F(FileUnitTest, AFullDeviceFailsTheFlush) {
  if (!fs::exists("/dev/full")) GTEST_SKIP();
  auto f = FileUnit::open("/dev/full", OpenStatus::Unknown, 0664);
  f->write_record("x", true);
  try {
    f->close();
    ADD_FAILURE() << "no failure on a full device";
  } catch (const IoError& e) {
    EXPECT_TRUE(e.system);
    EXPECT_EQ(e.text, "No space left on device");
  }
}

// Before the console waits the records go to the file; a failure then is
// kept and thrown where the unit is flushed or closed next.
TEST_F(FileUnitTest, FlushBeforeAWaitWritesTheFileAndKeepsAFailure) {
  auto f = FileUnit::open(path("out"), OpenStatus::Unknown, 0664);
  f->write_record("kept", true);
  f->flush_before_wait();
  EXPECT_EQ(get("out"), "kept\n");
  f->close();
  if (!fs::exists("/dev/full")) GTEST_SKIP();
  auto full = FileUnit::open("/dev/full", OpenStatus::Unknown, 0664);
  full->write_record("x", true);
  EXPECT_NO_THROW(full->flush_before_wait());
  EXPECT_THROW(full->close(), IoError);
}

}  // namespace
}  // namespace arb::rt
