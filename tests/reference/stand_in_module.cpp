// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the raster module of sodwright-batch, with the name the
// runner asks for: built once with another build identity and once with
// the right one but no table, so that the runner must refuse both.
extern "C" __attribute__((visibility("default"))) const char sodwright_batch_module_name[] =
    "sodwright-batch-rasters.so";
extern "C" __attribute__((visibility("default"))) const char sodwright_batch_module_identity[] =
    STAND_IN_IDENTITY;

namespace {
const int kTable = 0;
}  // namespace

extern "C" __attribute__((visibility("default"))) const void* sodwright_batch_module() {
  return STAND_IN_TABLE ? &kTable : nullptr;
}
