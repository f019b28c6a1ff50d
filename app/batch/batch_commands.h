#pragma once
// The subcommands of sodwright-batch. Each takes the arguments after its
// name and returns the exit status: 0 success, 2 bad input or bad options.

#include <string>
#include <vector>

namespace sodwright::batch {

using Args = std::vector<std::string>;

int runKolv(const Args& args);
int runNibal(const Args& args);
int runBando(const Args& args);

}  // namespace sodwright::batch
