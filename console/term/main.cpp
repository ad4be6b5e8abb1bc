#include "term_host.h"
#include "driver.h"
#include "console_host.h"
#include "process_guard.h"

int main() {
  arb::rt::guard_process();
  arb::term::TermHost host;
  return arb::rt::run_program(host, &arb::arborix);
}
