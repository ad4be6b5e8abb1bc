// SPDX-License-Identifier: GPL-3.0-or-later
// Files read a piece at a time, and files written whole under a temporary
// name, then renamed into place.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace arb::import_cli {

// A file's first part, and the rest read on request.
class InputFile {
 public:
  // Throws std::runtime_error naming the file and the reason.
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  std::string_view head() const { return head_; }
  // Reads the next bytes after those read before; 0 at the end.
  std::size_t more(char* buffer, std::size_t size);

 private:
  std::string path_, head_;
  int fd_ = -1;
};

// Writes every (path, text) to a temporary file beside it and renames all
// into place; on a failure removes what it wrote and returns the reason.
std::optional<std::string> write_whole(const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace arb::import_cli
