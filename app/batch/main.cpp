// sodwright-batch: runs a KOLV, NIBAL or BANDO study without windows.
#include <iostream>
#include <string>

#include "batch/batch_commands.h"

namespace {

void printUsage(std::ostream& out) {
  out << "usage: sodwright-batch kolv INPUT [options]\n"
         "       sodwright-batch nibal INPUT --rows R --columns C --row-spacing X --column-spacing Y [options] --report FILE\n"
         "       sodwright-batch bando [options]\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    printUsage(std::cerr);
    return 2;
  }
  const std::string command = argv[1];
  const sodwright::batch::Args args(argv + 2, argv + argc);
  if (command == "kolv") return sodwright::batch::runKolv(args);
  if (command == "nibal") return sodwright::batch::runNibal(args);
  if (command == "bando") return sodwright::batch::runBando(args);
  if (command == "--help" || command == "-h") {
    printUsage(std::cout);
    return 0;
  }
  std::cerr << "unknown command: " << command << "\n";
  printUsage(std::cerr);
  return 2;
}
