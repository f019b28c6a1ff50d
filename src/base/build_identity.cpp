// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled into the shared core only: its identity is the one the modules
// are checked against.
#include "base/build_identity.h"

#include "base/build_identity_config.h"

namespace sodwright::base {

const char* buildIdentity() { return SODWRIGHT_BUILD_IDENTITY; }

}  // namespace sodwright::base
