#include "console/term/term_host.h"
#include "driver/driver.h"
#include "records/console_host.h"
#include "records/process_guard.h"

int main() {
  arb::rt::guard_process();
  arb::term::TermHost host;
  return arb::rt::run_program(host, &arb::arborix);
}
