// SPDX-License-Identifier: GPL-3.0-or-later
#include "import_command.h"

#include <charconv>
#include <functional>
#include <map>

namespace arb::import_cli {

namespace {

constexpr const char* kProgram = "arborix-import";

std::string usage() {
  std::string formats;
  for (const auto& [name, what] : import::format_names()) formats += "  " + name + std::string(10 - name.size(), ' ') + what + "\n";
  return std::string("Usage: ") + kProgram + " [OPTIONS] FILE... -o OUT\n" +
         "Reads station files as they are downloaded and writes OUT, the data file of a run (a title line\n"
         "and one line per year for each station), OUT.stations.csv (what is known about each station)\n"
         "and OUT.answers.txt (the answers of a default run: arborix-term < OUT.answers.txt).\n"
         "\n"
         "Options:\n"
         "  -o OUT, --output OUT   the data file to write (required)\n"
         "  --format NAME          read every FILE as this format instead of recognising it\n"
         "  --inventory FILE       station inventory: a GHCN-Monthly .inv or ECA&D's stations.txt\n"
         "  --element NAME         the element: TAVG, TMAX, TMIN (GHCN); tmax, tmin, af, rain, sun\n"
         "                         (Met Office, default tmax); pcpn, tmpc, tmax, tmin (nClimDiv)\n"
         "  --series NAME          Berkeley Earth station files: raw, adjusted (default) or regional\n"
         "  --anomaly              Berkeley Earth Trend files: keep the anomalies\n"
         "  --keep-flagged         keep values that failed quality control (GHCN, ECA&D, Berkeley raw)\n"
         "  --drop-estimated       drop values marked estimated (Met Office *, GHCN E)\n"
         "  --si                   nClimDiv: degrees Fahrenheit to Celsius, inches to millimetres\n"
         "  --missing CODE         a further missing-value code (CSV, KNMI)\n"
         "  --variable NAME        the column of a CSV file of several variables\n"
         "  --ids ID,...           only these stations\n"
         "  --ids-file FILE        only the stations listed in FILE, one ID a line\n"
         "  --country CODE         only the stations of this country code\n"
         "  --box S,N,W,E          only the stations inside these latitudes and longitudes\n"
         "  --years FIRST-LAST     only these years\n"
         "  --min-years N          only stations with values in N years or more\n"
         "  --help                 show this help and exit\n"
         "  --version              show the program's name and version and exit\n"
         "\n"
         "Formats (recognised from the content):\n" +
         formats +
         "\n"
         "Exit status:\n"
         "  0        the three files are written\n"
         "  2        wrong usage: an unknown option, a missing value or no -o\n"
         "  3        a file cannot be read, is not recognised or is malformed, or OUT cannot be written\n"
         "  4        the selection keeps no station, or more than one run can hold\n"
         "\n"
         "The formats and the files written are described in the manual page " + kProgram + "(1).\n";
}

Parsed refuse(const std::string& message, std::string& err) {
  err += std::string(kProgram) + ": " + message + "\nTry '" + kProgram + " --help' for more information.\n";
  Parsed p;
  p.exit_status = 2;
  return p;
}

std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> out;
  std::size_t from = 0;
  for (std::size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == sep) {
      out.push_back(s.substr(from, i - from));
      from = i + 1;
    }
  }
  return out;
}

bool number(const std::string& s, double& v) {
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool integer(const std::string& s, int& v) {
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// Each option with a value: how it sets the command; false for a bad value.
using Setter = std::function<bool(Command&, const std::string&)>;

const std::map<std::string, Setter>& valued() {
  static const std::map<std::string, Setter> table = {
      {"-o", [](Command& c, const std::string& v) { c.out = v; return !v.empty(); }},
      {"--output", [](Command& c, const std::string& v) { c.out = v; return !v.empty(); }},
      {"--format",
       [](Command& c, const std::string& v) {
         c.options.format = v;
         for (const auto& f : import::format_names()) {
           if (f.first == v) return true;
         }
         return false;
       }},
      {"--inventory", [](Command& c, const std::string& v) { c.inventories.push_back(v); return true; }},
      {"--element", [](Command& c, const std::string& v) { c.options.element = v; return !v.empty(); }},
      {"--series",
       [](Command& c, const std::string& v) {
         c.options.series = v;
         return v == "raw" || v == "adjusted" || v == "regional";
       }},
      {"--missing", [](Command& c, const std::string& v) { c.options.missing = v; return true; }},
      {"--variable", [](Command& c, const std::string& v) { c.options.variable = v; return !v.empty(); }},
      {"--ids",
       [](Command& c, const std::string& v) {
         for (const auto& id : split(v, ',')) {
           if (!id.empty()) c.options.ids.insert(id);
         }
         return !c.options.ids.empty();
       }},
      {"--ids-file", [](Command& c, const std::string& v) { c.ids_file = v; return true; }},
      {"--country", [](Command& c, const std::string& v) { c.options.country = v; return !v.empty(); }},
      {"--box",
       [](Command& c, const std::string& v) {
         const auto p = split(v, ',');
         import::Box b{};
         if (p.size() != 4 || !number(p[0], b.south) || !number(p[1], b.north) || !number(p[2], b.west) ||
             !number(p[3], b.east) || b.south > b.north)
           return false;
         c.options.box = b;
         return true;
       }},
      {"--years",
       [](Command& c, const std::string& v) {
         const auto dash = v.find('-', 1);
         int first = 0, last = 0;
         if (dash == std::string::npos || !integer(v.substr(0, dash), first) || !integer(v.substr(dash + 1), last) ||
             first > last)
           return false;
         c.options.years = std::pair{first, last};
         return true;
       }},
      {"--min-years", [](Command& c, const std::string& v) { return integer(v, c.options.min_years) && c.options.min_years >= 0; }},
  };
  return table;
}

const std::map<std::string, bool import::Options::*>& switches() {
  static const std::map<std::string, bool import::Options::*> table = {
      {"--keep-flagged", &import::Options::keep_flagged},
      {"--drop-estimated", &import::Options::drop_estimated},
      {"--anomaly", &import::Options::anomaly},
      {"--si", &import::Options::si},
  };
  return table;
}

}  // namespace

Parsed parse(const std::vector<std::string>& args, std::string& out, std::string& err) {
  Parsed p;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string a = args[i];
    if (a == "--help") {
      out += usage();
      p.exit_status = 0;
      return p;
    }
    if (a == "--version") {
      out += std::string(kProgram) + " " + ARBORIX_VERSION + "\n";
      p.exit_status = 0;
      return p;
    }
    if (a.empty() || a[0] != '-' || a == "-") {
      p.command.files.push_back(a);
      continue;
    }
    if (a == "--") {
      p.command.files.insert(p.command.files.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    }
    if (auto s = switches().find(a); s != switches().end()) {
      p.command.options.*(s->second) = true;
      continue;
    }
    std::string value;
    bool has_value = false;
    if (const auto eq = a.find('='); a.starts_with("--") && eq != std::string::npos) {
      value = a.substr(eq + 1);
      a.resize(eq);
      has_value = true;
    }
    const auto v = valued().find(a);
    if (v == valued().end()) return refuse("unknown option " + args[i], err);
    if (!has_value) {
      if (i + 1 >= args.size()) return refuse(a + " needs a value", err);
      value = args[++i];
    }
    if (!v->second(p.command, value)) return refuse("bad value for " + a + ": " + value, err);
  }
  if (p.command.out.empty()) return refuse("no output file: -o OUT is required", err);
  if (p.command.files.empty()) return refuse("no station file given", err);
  return p;
}

}  // namespace arb::import_cli
