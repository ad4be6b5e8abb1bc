// SPDX-License-Identifier: GPL-3.0-or-later
// A file's size and SHA-256 (OpenSSL), read in pieces.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace arb::results {

struct FileDigest {
  std::uintmax_t size = 0;
  std::string sha256;  // lower-case hex, as sha256sum writes it
};

// nullopt when the file cannot be read.
std::optional<FileDigest> file_digest(const std::string& path);

}  // namespace arb::results
