// SPDX-License-Identifier: GPL-3.0-or-later
// arborix-import: reads the station files, writes the three files whole,
// and reports on standard output what it wrote.
#include <cstdio>

#include "import_command.h"

int main(int argc, char** argv) {
  using namespace arb;
  std::string out, err;
  const import_cli::Parsed parsed = import_cli::parse(std::vector<std::string>(argv + 1, argv + argc), out, err);
  std::fputs(out.c_str(), stdout);
  std::fputs(err.c_str(), stderr);
  if (parsed.exit_status) return *parsed.exit_status;
  const import_cli::Outcome o = import_cli::run_import(parsed.command);
  if (o.status != 0) std::fprintf(stderr, "arborix-import: %s\n", o.error.c_str());
  std::fputs(o.report.c_str(), stdout);
  return o.status;
}
