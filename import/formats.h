// SPDX-License-Identifier: GPL-3.0-or-later
// The station-file formats: each recognises its files from their content
// and reads them into stations.  One file per format.
#pragma once

#include "inventory.h"
#include "selection.h"

#include "station_import.h"

#include <string>
#include <vector>

namespace arb::import {

// What every reader gets: the options, the joined inventories and the
// selection, which the large single-file formats apply while they read.
struct Context {
  const Options& options;
  const Inventory& inventory;
  const Selection& selection;
};

using Reader = void (*)(const Input& in, const Context& cx, std::vector<Station>& out, FileReport& report);
using Recogniser = bool (*)(std::string_view bytes);

struct Format {
  const char* name;
  const char* description;
  Recogniser recognises;
  Reader read;
};

// In the order of recognition: the most particular first.
const std::vector<Format>& formats();

bool is_ghcn(std::string_view bytes);
void read_ghcn(const Input&, const Context&, std::vector<Station>&, FileReport&);
bool is_nclimdiv(std::string_view bytes);
void read_nclimdiv(const Input&, const Context&, std::vector<Station>&, FileReport&);
bool is_ecad(std::string_view bytes);
void read_ecad(const Input&, const Context&, std::vector<Station>&, FileReport&);
bool is_ukmo(std::string_view bytes);
void read_ukmo(const Input&, const Context&, std::vector<Station>&, FileReport&);
bool is_berkeley(std::string_view bytes);
void read_berkeley(const Input&, const Context&, std::vector<Station>&, FileReport&);
bool is_crutem(std::string_view bytes);
void read_crutem(const Input&, const Context&, std::vector<Station>&, FileReport&);
bool is_csv(std::string_view bytes);
void read_csv(const Input&, const Context&, std::vector<Station>&, FileReport&);
bool is_climexp(std::string_view bytes);
void read_climexp(const Input&, const Context&, std::vector<Station>&, FileReport&);

// A station of this file, with its source named.
Station new_station(const Input& in, const char* format, std::string id);
// The file name without folders and its last extension.
std::string file_stem(const std::string& path);

}  // namespace arb::import
