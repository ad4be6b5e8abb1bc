// SPDX-License-Identifier: GPL-3.0-or-later
#include "format_cache.h"

namespace arb::rt {

TranslatedFormat* FormatCache::get(std::string_view text) {
  // The last few texts first: a data file is read with one or two formats.
  for (const Recent& r : recent_)
    if (r.format && r.text == text) return r.format;

  auto it = table_.find(std::string(text));
  if (it == table_.end()) {
    if (table_.size() >= kMaxEntries) return nullptr;
    auto t = std::make_unique<TranslatedFormat>();
    t->rc = trans_format(text, t->compiled);
    it = table_.emplace(std::string(text), std::move(t)).first;
  }
  recent_[next_recent_] = Recent{it->first, it->second.get()};
  next_recent_ = (next_recent_ + 1) % kRecent;
  return it->second.get();
}

void FormatCache::clear() {
  recent_.fill(Recent{});
  next_recent_ = 0;
  table_.clear();
}

}  // namespace arb::rt
