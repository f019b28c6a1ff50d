#include <iostream>

#include "batch/batch_commands.h"

namespace sodwright::batch {

int runNibal(const Args&) {
  std::cerr << "nibal: not available in this build\n";
  return 2;
}

}  // namespace sodwright::batch
