// SPDX-License-Identifier: GPL-3.0-or-later
// Files read at once (mapped, so that the pages already read can be given
// back on a large file) and files written whole under a temporary name,
// then renamed into place.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace arb::import_cli {

class InputFile {
 public:
  // Throws std::runtime_error naming the file and the reason.
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  std::string_view bytes() const { return bytes_; }
  // The pages before this many bytes are no longer needed.
  void passed(std::size_t n) const;

 private:
  std::string_view bytes_;
  void* map_ = nullptr;
  std::size_t mapped_ = 0;
  std::string copy_;  // what could not be mapped (a pipe)
};

// Writes every (path, text) to a temporary file beside it and renames all
// into place; on a failure removes what it wrote and returns the reason.
std::optional<std::string> write_whole(const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace arb::import_cli
