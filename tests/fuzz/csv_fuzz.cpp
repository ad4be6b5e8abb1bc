// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an export's CSV file, read twice: as views (split in place
// where a line allows it) and as strings (field by field).  Both readings
// must give the same rows.  The first byte sets how many copies of the rest
// make the file, so that rows cross the reader's buffer refills.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "csv_reader.h"

namespace {

void require(bool ok) {
  if (!ok) std::abort();
}

// The bytes as a file of this process, named by its descriptor.
std::string as_file(const std::string& text) {
  static const int fd = memfd_create("csv_fuzz", 0);
  require(fd >= 0);
  require(ftruncate(fd, 0) == 0 && lseek(fd, 0, SEEK_SET) == 0);
  require(write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()));
  return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string text;
  for (int copies = 1 + data[0] % 8; copies-- > 0 && text.size() < (1 << 18);) text += rest;
  const std::string path = as_file(text);
  arb::results::CsvReader as_views(path), as_strings(path);
  std::vector<std::string_view> views;
  std::vector<std::string> strings;
  for (;;) {
    const bool more = as_views.next(views);
    require(more == as_strings.next(strings));
    if (!more) break;
    require(views.size() == strings.size());
    for (std::size_t i = 0; i < views.size(); ++i) require(views[i] == strings[i]);
  }
  return 0;
}
