// Program entry: floating-point faults give infinities or NaNs instead of stopping
// the program (every exception masked), then the whole game runs.
#include <fenv.h>

#include "app/program.h"

int main() {
  fedisableexcept(FE_ALL_EXCEPT);
  return RunProgram();
}
