// SPDX-License-Identifier: GPL-3.0-or-later
#include "transcript_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>

namespace arb::win {

TranscriptWrite write_transcript(const TextStore& store, const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) return {SaveResult::CannotCreate, errno};
  for (std::size_t i = 0; i < store.line_count(); ++i) {
    std::string_view line = store.line(i);
    if (std::fwrite(line.data(), 1, line.size(), file.get()) != line.size() ||
        std::fwrite("\r\n", 1, 2, file.get()) != 2)
      return {SaveResult::WriteFailed, errno};
  }
  if (std::fflush(file.get()) != 0) return {SaveResult::WriteFailed, errno};
  std::FILE* f = file.release();
  if (std::fclose(f) != 0) return {SaveResult::WriteFailed, errno};
  return {};
}

}  // namespace arb::win
