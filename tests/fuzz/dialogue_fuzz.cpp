// SPDX-License-Identifier: GPL-3.0-or-later
// The whole dialogue: the input is the typed answers, a line "@@", and the
// input data file (without the line, everything is answers and the data
// file is empty).  Each input runs the program from the welcome in a
// scratch folder of its own, with the data file as "data.txt"; the run
// ends when the answers run out (the end of console input).  Whatever it
// is given, the run must end with one of the program's statuses: 0 (a
// stop), 1 (data refused) or -1 (the run-time error report).
//
// Bounds that keep one input well under a second: at most 64 answers and
// 8 KB of data (so at most a few thousand series, each read at most once
// per answered menu).
#include <dirent.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

#include "driver.h"
#include "store.h"
#include "console_host.h"
#include "units.h"
#include "tests/support/fake_console.h"

namespace {

constexpr std::size_t kMaxAnswers = 64;
constexpr std::size_t kMaxData = 8 * 1024;

void require(bool ok) {
  if (!ok) std::abort();
}

// The scratch folder, made once per process and entered.
void enter_scratch() {
  static bool done = false;
  if (done) return;
  done = true;
  char tmpl[] = "/tmp/arb_fuzz_dialogue_XXXXXX";
  require(::mkdtemp(tmpl) != nullptr);
  require(::chdir(tmpl) == 0);
  ::unsetenv("VELMOR_RT_FLAGS");
  ::unsetenv("TABSIZE");
  ::unsetenv("UMASK");
}

// Every file that a run left (the output file under any name typed).
void empty_scratch() {
  DIR* dir = ::opendir(".");
  require(dir != nullptr);
  while (dirent* e = ::readdir(dir)) {
    if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) ::unlink(e->d_name);
  }
  ::closedir(dir);
}

// Static, as in the program: a store this size does not fit on a stack.
arb::SeriesStore fuzz_store;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  enter_scratch();
  empty_scratch();
  const std::string_view input(reinterpret_cast<const char*>(bytes), size);
  std::string_view answers = input;
  std::string_view data;
  if (input.rfind("@@\n", 0) == 0) {
    answers = {};
    data = input.substr(3);
  } else if (const std::size_t sep = input.find("\n@@\n"); sep != std::string_view::npos) {
    answers = input.substr(0, sep);
    data = input.substr(sep + 4);
  }
  if (data.size() > kMaxData) data = data.substr(0, kMaxData);
  {
    std::ofstream f("data.txt", std::ios::binary);
    f.write(data.data(), static_cast<std::streamsize>(data.size()));
  }

  arb::testing::FakeConsole host;
  host.keep_shown = false;
  host.confine_names = true;
  host.answers = arb::testing::split_lines(answers);
  if (host.answers.size() > kMaxAnswers) host.answers.resize(kMaxAnswers);

  fuzz_store.clear();
  arb::testing::reset_layer();
  arb::RunContext run{fuzz_store, {}};
  const int status = arb::rt::run_program(host, [&run] { arb::arborix(run); });
  require(status == 0 || status == 1 || status == -1);
  arb::testing::reset_layer();
  return 0;
}
