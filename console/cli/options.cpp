// SPDX-License-Identifier: GPL-3.0-or-later
#include "options.h"

#include <cstdio>

namespace arb::cli {

namespace {

constexpr std::string_view kExport = "--export";
constexpr std::string_view kRecord = "--record";
constexpr std::string_view kReset = "--reset-settings";

// The window program remembers its geometry, font and colour; the terminal
// program has nothing to forget.
bool has_settings(std::string_view program) { return program == "arborix"; }

std::string usage(std::string_view program) {
  std::string p(program);
  const std::string reset = has_settings(program) ? " [--reset-settings]" : "";
  const std::string reset_help =
      has_settings(program) ? "  --reset-settings\n"
                              "                 forget the remembered window sizes, font and colour\n"
                              "                 and start with the defaults\n"
                            : "";
  return "Usage: " + p + " [--export DIR] [--record FILE]" + reset + "\n" +
         "Averages the monthly climate records of many stations into one averaged climate record.\n"
         "The dialogue asks for the data file, the output file and every choice of the run.\n"
         "\n"
         "Options:\n"
         "  --export DIR, --export=DIR\n"
         "                 after the averaged record is written, write the run's results to DIR\n"
         "                 (created if missing): average.csv, sample_depth.csv, series.csv,\n"
         "                 statistics.csv, stations.csv, checks.csv, checks.txt, arborix.nc,\n"
         "                 answers.txt, run.json, and the plots average.svg/png and\n"
         "                 coverage.svg/png where they can be drawn\n"
         "  --record FILE, --record=FILE\n"
         "                 when the run ends, write every answer read from the console to FILE;\n"
         "                 '" + p + " < FILE' in the same folder repeats the run\n" +
         reset_help +
         "  --help         show this help and exit\n"
         "  --version      show the program's name and version and exit\n"
         "\n"
         "Environment:\n"
         "  VELMOR_RT_FLAGS  run-time options, e.g. -printstop, -noleadzero, -relaxed_input\n"
         "  TABSIZE          tab width on input (default 8)\n"
         "  UMASK            octal permissions of files the program creates (default 664)\n"
         "\n"
         "Exit status:\n"
         "  0        the run ended normally (also after a bail-out)\n"
         "  1        the data exceed what the program can hold\n"
         "  2        wrong usage: an unknown option, or --export or --record without a name\n"
         "  3        the export folder or the answers file could not be written (the output\n"
         "           file is complete)\n"
         "  255      a run-time error report ended the run\n"
         "  128 + n  the program was ended by signal n\n"
         "\n"
         "The dialogue, the climate mask and the files are described in the manual page " + p + "(1).\n";
}

Parsed refuse(std::string_view program, const std::string& message, std::string& err) {
  std::string p(program);
  err += p + ": " + message + "\nTry '" + p + " --help' for more information.\n";
  return {{}, 2};
}

// The value of an option given as "--name VALUE" or "--name=VALUE"; i
// steps past a separate value.  Empty when there is none.
std::string_view option_value(std::string_view name, const std::vector<std::string_view>& args, std::size_t& i) {
  const std::string_view a = args[i];
  if (a != name) return a.substr(name.size() + 1);
  return i + 1 < args.size() ? args[++i] : std::string_view();
}

bool is_option(std::string_view name, std::string_view a) {
  return a == name || (a.starts_with(name) && a.size() > name.size() && a[name.size()] == '=');
}

}  // namespace

std::string_view version() { return ARBORIX_VERSION; }

Parsed parse(std::string_view program, const std::vector<std::string_view>& args, std::string& out,
             std::string& err) {
  Parsed parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--help") {
      out += usage(program);
      return {{}, 0};
    }
    if (a == "--version") {
      out += std::string(program) + " " + std::string(version()) + "\n";
      return {{}, 0};
    }
    if (a == kReset && has_settings(program)) {
      parsed.options.reset_settings = true;
      continue;
    }
    if (is_option(kExport, a) || is_option(kRecord, a)) {
      const std::string_view name = is_option(kExport, a) ? kExport : kRecord;
      const std::string_view value = option_value(name, args, i);
      if (value.empty()) return refuse(program, "option '" + std::string(name) + "' requires an argument", err);
      (name == kExport ? parsed.options.export_dir : parsed.options.record_file) = std::string(value);
      continue;
    }
    if (a.starts_with("--")) return refuse(program, "unrecognized option '" + std::string(a) + "'", err);
    if (a.size() > 1 && a[0] == '-')
      return refuse(program, "invalid option -- '" + std::string(a.substr(1, 1)) + "'", err);
    return refuse(program, "extra operand '" + std::string(a) + "'", err);
  }
  return parsed;
}

Parsed parse_main(std::string_view program, int argc, char** argv) {
  std::vector<std::string_view> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  std::string out, err;
  Parsed parsed = parse(program, args, out, err);
  parsed.options.command_line.assign(argv, argv + argc);
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fwrite(err.data(), 1, err.size(), stderr);
  std::fflush(stdout);
  return parsed;
}

}  // namespace arb::cli
