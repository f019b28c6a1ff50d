// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The identity of the core library the program runs with (version, commit,
// layout options), as fixed when the build was configured.

namespace sodwright::base {

const char* buildIdentity();

}  // namespace sodwright::base
