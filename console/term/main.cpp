#include "term_host.h"
#include "driver.h"
#include "console_host.h"

int main() {
  arb::term::TermHost host;
  return arb::rt::run_program(host, &arb::arborix);
}
