// SPDX-License-Identifier: GPL-3.0-or-later
#include "refuse.h"

#include "io.h"

namespace arb {

void refuse_data(std::string_view message) {
  rt::write(rt::kStar, "(/T5,'*** ',A,' ***')", message);
  rt::stop(" ", kRefusedStatus);
}

}  // namespace arb
