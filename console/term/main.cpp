#include "console/term/term_host.h"
#include "driver/driver.h"
#include "records/console_host.h"

int main() {
  arb::term::TermHost host;
  return arb::rt::run_program(host, &arb::arborix);
}
