// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a window's text to a file: every line followed by CR LF.
#pragma once

#include <string>

#include "text_store.h"

namespace arb::win {

enum class SaveResult { Written, CannotCreate, WriteFailed };

struct TranscriptWrite {
  SaveResult result = SaveResult::Written;
  int error = 0;  // the system's errno when it failed
};

TranscriptWrite write_transcript(const TextStore& store, const std::string& path);

}  // namespace arb::win
