// SPDX-License-Identifier: GPL-3.0-or-later
// Files for the tests of opening and previewing files.
#pragma once

#include <string>

namespace arb::test {

// A fresh folder for the files of one test.
std::string scratch_folder();
void write_file(const std::string& path, const std::string& text);

}  // namespace arb::test
