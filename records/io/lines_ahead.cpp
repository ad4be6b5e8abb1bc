// SPDX-License-Identifier: GPL-3.0-or-later
#include "lines_ahead.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include <omp.h>

namespace arb::rt {

namespace {

// A stretch of a megabyte: some ten thousand lines for the team to
// share, and little memory beside the values of a run.
constexpr std::size_t kAheadBytes = std::size_t{1} << 20;
constexpr std::size_t kTeamBytes = kAheadBytes / 2;

// Lines that the record layer changes before a statement sees them (tabs
// widened, CR dropped, long lines cut) are the statement's.
bool plain(std::string_view line) {
  return line.size() <= kRecordColumns && !std::memchr(line.data(), '\t', line.size()) &&
         !std::memchr(line.data(), '\r', line.size());
}

}  // namespace

void LinesAhead::use(ScanLayout layout) {
  layout_ = std::move(layout);
  lines_.clear();
  values_.clear();
  next_ = 0;
}

const AheadLine* LinesAhead::at(const FileUnit& file) {
  if (file.epoch() != epoch_ || lines_.empty()) return nullptr;
  const off_t pos = file.position();
  if (next_ < lines_.size() && lines_[next_].start == pos) return &lines_[next_++];
  // Anywhere else among the lines (a backspace, a line read by a statement).
  const auto it = std::lower_bound(lines_.begin(), lines_.end(), pos,
                                   [](const AheadLine& l, off_t p) { return l.start < p; });
  if (it == lines_.end() || it->start != pos) return nullptr;
  next_ = static_cast<std::size_t>(it - lines_.begin()) + 1;
  return &*it;
}

void LinesAhead::read_ahead(FileUnit& file, int threads) {
  const std::string_view bytes = file.look_ahead(kAheadBytes);
  // Starting the team costs more than a small file's lines take.
  if (bytes.size() < kTeamBytes) threads = 1;
  epoch_ = file.epoch();
  next_ = 0;
  find_lines(bytes, file.position(), threads);
  scan(bytes, threads);
}

// The complete lines of the bytes, each member of the team finding those
// that start in its share of them; the last line without a line end is left
// to the statement, which meets the end of the file after it.
void LinesAhead::find_lines(std::string_view bytes, off_t base, int threads) {
  bytes = bytes.substr(0, std::min<std::size_t>(bytes.size(), std::numeric_limits<std::uint32_t>::max()));
  // The run-time may give fewer threads than asked for: every share is
  // emptied first, and the shares are those of the team that runs.
  starts_.resize(static_cast<std::size_t>(threads));
  for (std::vector<std::uint32_t>& share : starts_) share.clear();
#pragma omp parallel num_threads(threads) if (threads > 1)
  {
    const auto t = static_cast<std::size_t>(omp_get_thread_num());
    const auto n = static_cast<std::size_t>(omp_get_num_threads());
    std::vector<std::uint32_t>& mine = starts_[t];
    const std::size_t end = bytes.size() * (t + 1) / n;
    std::size_t from = bytes.size() * t / n;
    if (from > 0) {  // the first line that starts in the share
      const void* nl = std::memchr(bytes.data() + from - 1, '\n', bytes.size() - from + 1);
      from = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - bytes.data()) + 1 : bytes.size();
    }
    while (from < end) {
      const void* nl = std::memchr(bytes.data() + from, '\n', bytes.size() - from);
      if (!nl) break;
      mine.push_back(static_cast<std::uint32_t>(from));
      from = static_cast<std::size_t>(static_cast<const char*>(nl) - bytes.data()) + 1;
    }
  }
  lines_.clear();
  for (const std::vector<std::uint32_t>& share : starts_)
    for (std::uint32_t from : share) lines_.push_back({base + static_cast<off_t>(from), 0});
  // Each line ends where the next starts; the last at its line end.
  for (std::size_t i = 0; i + 1 < lines_.size(); ++i)
    lines_[i].bytes = static_cast<std::uint32_t>(lines_[i + 1].start - lines_[i].start);
  if (!lines_.empty()) {
    const auto last = static_cast<std::size_t>(lines_.back().start - base);
    const void* nl = std::memchr(bytes.data() + last, '\n', bytes.size() - last);
    lines_.back().bytes = static_cast<std::uint32_t>(static_cast<const char*>(nl) - (bytes.data() + last)) + 1;
  }
}

void LinesAhead::scan(std::string_view bytes, int threads) {
  const std::size_t reals = layout_.reals;
  values_.resize(lines_.size() * reals);
  const off_t base = lines_.empty() ? 0 : lines_.front().start;
  const auto count = static_cast<std::ptrdiff_t>(lines_.size());
  const bool free_format = layout_.format.empty();
#pragma omp parallel for num_threads(threads) if (threads > 1) schedule(static)
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    AheadLine& l = lines_[static_cast<std::size_t>(i)];
    const std::string_view line = bytes.substr(static_cast<std::size_t>(l.start - base), l.bytes - 1);
    float* v = values_.data() + static_cast<std::size_t>(i) * reals;
    if (!plain(line)) {
      l.kind = Scan::unknown;
    } else if (free_format) {
      float first = 0.0f;
      l.kind = scan_free(line, layout_.width, first, v, reals);
      l.year = truncated_year(first);
    } else {
      const bool blank_first = !layout_.blank_first_format.empty() && (line.empty() || line[0] == ' ');
      l.kind = scan_fixed(line, blank_first ? layout_.blank_first_plan : layout_.plan, l.year, v);
    }
  }
}

}  // namespace arb::rt
