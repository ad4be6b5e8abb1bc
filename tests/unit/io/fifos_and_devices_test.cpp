// SPDX-License-Identifier: GPL-3.0-or-later
// Files that are not regular files: refused for reading (the reader rewinds
// its file), accepted for output when they take it; names the system
// cannot take.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

#include "file_unit.h"

namespace arb::rt {
namespace {

namespace fs = std::filesystem;

class FifosAndDevices : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("arb_sf_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    fifo_ = (dir_ / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo_.c_str(), 0600), 0);
  }
  void TearDown() override { fs::remove_all(dir_); }
  // The errno text of the refusal, or "" when the open succeeds.
  static std::string refusal(const std::string& path, OpenStatus status) {
    try {
      FileUnit::open(path, status, 0664);
      return "";
    } catch (const IoError& e) {
      return e.text;
    }
  }
  fs::path dir_;
  std::string fifo_;
};

// None of these may block: a FIFO to be read is never opened.
TEST_F(FifosAndDevices, NoFileThatCannotBeRewoundIsOpenedForReading) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  const std::string pipe_name = "/dev/fd/" + std::to_string(fds[0]);
  for (const std::string& name : {fifo_, pipe_name, std::string("/dev/null"), std::string("/dev/zero")})
    EXPECT_EQ(refusal(name, OpenStatus::Old), std::strerror(ESPIPE)) << name;
  ::close(fds[0]);
  ::close(fds[1]);
}

TEST_F(FifosAndDevices, AFifoWithoutAReaderIsRefusedForOutput) {
  EXPECT_EQ(refusal(fifo_, OpenStatus::Unknown), std::strerror(ENXIO));
}

TEST_F(FifosAndDevices, AFifoWithAReaderReceivesTheOutput) {
  const int reader = ::open(fifo_.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  auto f = FileUnit::open(fifo_, OpenStatus::Unknown, 0664);
  EXPECT_FALSE(f->readable());
  EXPECT_TRUE(f->writable());
  f->write_record("to the reader", true);
  f->close();
  char got[64] = {};
  EXPECT_EQ(::read(reader, got, sizeof got - 1), 14);
  EXPECT_STREQ(got, "to the reader\n");
  ::close(reader);
}

TEST_F(FifosAndDevices, DevicesTakeOutputOnly) {
  auto f = FileUnit::open("/dev/null", OpenStatus::Unknown, 0664);
  EXPECT_FALSE(f->readable());
  f->write_record("gone", true);
  EXPECT_NO_THROW(f->close());
  EXPECT_NE(refusal(std::string("/dev/null"), OpenStatus::New), "");  // it exists
}

TEST_F(FifosAndDevices, ASocketIsNoFile) {
  const std::string name = (dir_ / "sock").string();
  const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(s, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, name.c_str(), sizeof addr.sun_path - 1);
  ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  EXPECT_NE(refusal(name, OpenStatus::Old), "");
  EXPECT_NE(refusal(name, OpenStatus::Unknown), "");
  ::close(s);
}

// The system would take the name up to its NUL: another file.
TEST_F(FifosAndDevices, ANameWithANulIsRefused) {
  const std::string keep = (dir_ / "keep.txt").string();
  FileUnit::open(keep, OpenStatus::Unknown, 0664)->close();
  for (OpenStatus st : {OpenStatus::Old, OpenStatus::Unknown, OpenStatus::New, OpenStatus::Replace})
    EXPECT_EQ(refusal(keep + std::string(1, '\0') + ".new", st), std::strerror(EINVAL));
  EXPECT_TRUE(fs::exists(keep));
}

}  // namespace
}  // namespace arb::rt
