// SPDX-License-Identifier: GPL-3.0-or-later
// The import kinds come from the file's extension alone, in any case.
#include "platform/import_kind.h"

#include <gtest/gtest.h>

namespace sodwright::platform {
namespace {

TEST(ImportKind, EveryRowIsFoundInAnyCaseAndNothingElse) {
  for (const ImportKindRow& row : kImportKinds) {
    std::string upper(row.extension);
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(importKindOf("data/field" + std::string(row.extension)), row.kind);
    EXPECT_EQ(importKindOf("C:/Data/FIELD" + upper), row.kind) << upper;
  }
  EXPECT_EQ(importKindOf("a.Tsv"), ImportKind::Text);
  EXPECT_EQ(importKindOf("dem.TIFF"), ImportKind::Raster);
  for (const char* other : {"txt", "folder.xls/data", "a.png", "a.xlsm", "a.txt.bak", ""})
    EXPECT_EQ(importKindOf(other), ImportKind::Unsupported) << other;
  EXPECT_EQ(presetDelimiterOf("points.CSV"), ',');
  EXPECT_EQ(presetDelimiterOf("points.tsv"), '\t');
  EXPECT_EQ(presetDelimiterOf("dem.XYZ"), ' ');
  EXPECT_EQ(presetDelimiterOf("points.txt"), std::nullopt);
}

}  // namespace
}  // namespace sodwright::platform
