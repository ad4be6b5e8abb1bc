// SPDX-License-Identifier: GPL-3.0-or-later
#include "scratch_files.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace arb::test {

std::string scratch_folder() {
  char tmpl[] = "/tmp/arb_files_XXXXXX";
  if (!::mkdtemp(tmpl)) throw std::runtime_error("mkdtemp");
  return tmpl;
}

void write_file(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

}  // namespace arb::test
