// Program entry: floating-point faults give infinities or NaNs instead of stopping
// the program (every exception masked), large blocks of memory go back to the
// system when freed, then the whole game runs.
#include <fenv.h>

#include "app/program.h"
#include "core/memory.h"

int main() {
  fedisableexcept(FE_ALL_EXCEPT);
  ReturnLargeBlocksToTheSystem();
  RunProgram();
  return 0;
}
