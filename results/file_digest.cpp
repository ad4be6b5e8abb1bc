// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_digest.h"

#include <openssl/evp.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace arb::results {

namespace {

struct CloseFile {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
struct FreeContext {
  void operator()(EVP_MD_CTX* c) const { EVP_MD_CTX_free(c); }
};

std::string hex(const unsigned char* bytes, unsigned int n) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (unsigned int i = 0; i < n; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

}  // namespace

std::optional<FileDigest> file_digest(const std::string& path) {
  std::unique_ptr<std::FILE, CloseFile> file(std::fopen(path.c_str(), "rb"));
  std::unique_ptr<EVP_MD_CTX, FreeContext> ctx(EVP_MD_CTX_new());
  if (!file || !ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1) return std::nullopt;
  FileDigest d;
  std::vector<unsigned char> piece(1 << 16);
  while (const std::size_t n = std::fread(piece.data(), 1, piece.size(), file.get())) {
    if (EVP_DigestUpdate(ctx.get(), piece.data(), n) != 1) return std::nullopt;
    d.size += n;
  }
  if (std::ferror(file.get())) return std::nullopt;
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(ctx.get(), digest, &length) != 1) return std::nullopt;
  d.sha256 = hex(digest, length);
  return d;
}

}  // namespace arb::results
