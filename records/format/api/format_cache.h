// SPDX-License-Identifier: GPL-3.0-or-later
// Formats translated once per text: the program states the same handful of
// format texts millions of times (one per data line), and translating each
// anew was the greater part of a short read.  A translation failure is kept
// as well, so the same text fails with the same number every time.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "format.h"

namespace arb::rt {

struct TranslatedFormat {
  int rc = 0;  // 0, or the translation failure's number
  CompiledFormat compiled;
};

class FormatCache {
 public:
  // The translation of the text, valid until clear(); nullptr when the
  // cache is full and the caller must translate the text itself.  Entries
  // are never dropped while a run goes on, so a statement may hold one.
  TranslatedFormat* get(std::string_view text);
  void clear();
  std::size_t size() const { return table_.size(); }

  // Texts kept at most (formats typed by the user are few, but there is
  // no bound on them).
  static constexpr std::size_t kMaxEntries = 512;

 private:
  struct Recent {
    std::string_view text;  // the key held by table_
    TranslatedFormat* format = nullptr;
  };
  static constexpr std::size_t kRecent = 8;

  std::unordered_map<std::string, std::unique_ptr<TranslatedFormat>> table_;
  std::array<Recent, kRecent> recent_{};
  std::size_t next_recent_ = 0;
};

}  // namespace arb::rt
