// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The subcommands of sodwright-batch. Each registers its options on the
// runner's command line (one file per subcommand, the options beside the
// code that reads them) and returns what runs it once the line is parsed.
// A run returns the exit status: 0 success, 2 bad input or bad options, 3 a
// KOLV run refused by --strict for parameters that amplify surface noise, 4
// a KOLV fit that did not converge.

#include <functional>

namespace CLI {
class App;
}

namespace sodwright::batch {

using Command = std::function<int()>;

Command addKolvCommand(CLI::App& runner);
Command addKolvFitCommand(CLI::App& runner);
Command addKolvEnsembleCommand(CLI::App& runner);
Command addNibalCommand(CLI::App& runner);
Command addNibalTilesCommand(CLI::App& runner);  // nibal_raster.cpp
Command addBandoCommand(CLI::App& runner);

}  // namespace sodwright::batch
