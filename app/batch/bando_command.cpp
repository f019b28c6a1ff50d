#include <iostream>

#include "batch/batch_commands.h"

namespace sodwright::batch {

int runBando(const Args&) {
  std::cerr << "bando: not available in this build\n";
  return 2;
}

}  // namespace sodwright::batch
