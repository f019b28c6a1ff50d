#pragma once
// Addresses of the help pages the NIBAL windows open in the desktop's browser.

#include <string>

namespace sodwright::nibal {

enum class HelpTopic { Nibal };

// The shipped user guide as a file address, at the section of the topic.
std::string helpAddress(HelpTopic topic);

}  // namespace sodwright::nibal
