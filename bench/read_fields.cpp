// SPDX-License-Identifier: GPL-3.0-or-later
// Reading data lines of layout 1, "(I4,12F5.1)", through the record layer:
// from a file by read_data_line as the reader does it (one thread, then
// the given team), and from a character field by the general statement;
// against a plain loop of strtol/strtof over the same thirteen fields.
//
//   read_fields [lines] [threads]     (default one million, 2)
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "io.h"

namespace {

double seconds_since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Distinct lines, used in turn: years and monthly values with their points
// written, so that both ways of reading give the same numbers.
std::vector<std::string> make_lines(std::size_t n) {
  std::mt19937 rng(1);
  std::vector<std::string> lines(n);
  char buf[8];
  for (std::size_t k = 0; k < n; ++k) {
    std::snprintf(buf, sizeof buf, "%4d", 1659 + static_cast<int>(k % 360));
    std::string line = buf;
    for (int m = 0; m < 12; ++m) {
      const int tenths = static_cast<int>(rng() % 700) - 300;
      std::snprintf(buf, sizeof buf, "%5.1f", tenths / 10.0);
      line += buf;
    }
    lines[k] = line;
  }
  return lines;
}

// Every line of the file by the data-line operation; the sum of its values.
double by_operation(const std::string& name, int threads, long& bad) {
  using namespace arb::rt;
  if (open(14, name, "OLD", kErr) != Outcome::ok) return -1;
  const DataLayout layout{"(I4,12F5.1)", "(I5,12F5.1)", -99.9f, threads};
  double sum = 0;
  std::array<char, 120> line{};
  for (;;) {
    std::int32_t year = 0;
    float v[12];
    const LineRead got = read_data_line(14, layout, line, year, std::span<float>(v, 12));
    if (got == LineRead::end) break;
    if (got != LineRead::data) {
      ++bad;
      continue;
    }
    sum += year;
    for (float x : v) sum += x;
  }
  return sum;
}

}  // namespace

int main(int argc, char** argv) {
  const long total = argc > 1 ? std::atol(argv[1]) : 1000000;
  const int threads = argc > 2 ? std::atoi(argv[2]) : 2;
  if (total < 1 || threads < 1) return 2;
  const std::vector<std::string> lines = make_lines(1 << 16);
  const std::size_t mask = lines.size() - 1;
  const std::string name = "/tmp/read_fields_" + std::to_string(::getpid()) + ".txt";
  {
    std::ofstream out(name);
    for (long i = 0; i < total; ++i) out << lines[static_cast<std::size_t>(i) & mask] << '\n';
  }
  long bad = 0;
  auto t0 = std::chrono::steady_clock::now();
  const double sum_one = by_operation(name, 1, bad);
  const double t_one = seconds_since(t0);
  t0 = std::chrono::steady_clock::now();
  const double sum_team = by_operation(name, threads, bad);
  const double t_team = seconds_since(t0);
  std::remove(name.c_str());

  double sum_layer = 0;
  t0 = std::chrono::steady_clock::now();
  for (long i = 0; i < total; ++i) {
    const std::string& line = lines[static_cast<std::size_t>(i) & mask];
    std::int32_t year = 0;
    float v[12];
    if (arb::rt::read(arb::rt::field(line), "(I4,12F5.1)", arb::rt::kErr, year, std::span<float>(v, 12)) !=
        arb::rt::Outcome::ok)
      ++bad;
    sum_layer += year;
    for (float x : v) sum_layer += x;
  }
  const double t_layer = seconds_since(t0);

  double sum_plain = 0;
  t0 = std::chrono::steady_clock::now();
  for (long i = 0; i < total; ++i) {
    const std::string& line = lines[static_cast<std::size_t>(i) & mask];
    char field[6];
    line.copy(field, 4, 0);
    field[4] = '\0';
    sum_plain += static_cast<double>(std::strtol(field, nullptr, 10));
    for (std::size_t m = 0; m < 12; ++m) {
      line.copy(field, 5, 4 + 5 * m);
      field[5] = '\0';
      sum_plain += std::strtof(field, nullptr);
    }
  }
  const double t_plain = seconds_since(t0);

  std::printf("%ld lines of \"(I4,12F5.1)\"\n", total);
  std::printf("read_data_line, 1 thread:  %7.3f s  %7.0f ns/line\n", t_one, t_one / total * 1e9);
  std::printf("read_data_line, %d threads: %7.3f s  %7.0f ns/line\n", threads, t_team, t_team / total * 1e9);
  std::printf("general statement: %7.3f s  %7.0f ns/line  (%ld failed)\n", t_layer, t_layer / total * 1e9, bad);
  std::printf("strtol/strtof: %7.3f s  %7.0f ns/line\n", t_plain, t_plain / total * 1e9);
  std::printf("ratio %.1f; sums %s (%.1f, %.1f)\n", t_layer / t_plain, sum_layer == sum_plain ? "agree" : "DIFFER",
              sum_layer, sum_plain);
  const bool agree = sum_layer == sum_plain && sum_one == sum_plain && sum_team == sum_plain;
  if (!agree) std::printf("data-line sums %.1f, %.1f\n", sum_one, sum_team);
  return agree && bad == 0 ? 0 : 1;
}
