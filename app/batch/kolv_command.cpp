#include <iostream>

#include "batch/batch_commands.h"

namespace sodwright::batch {

int runKolv(const Args&) {
  std::cerr << "kolv: not available in this build\n";
  return 2;
}

}  // namespace sodwright::batch
