// SPDX-License-Identifier: GPL-3.0-or-later
// The .xlsx and .ods readers (zip archive, XML parts) on any file. Mutated
// archives mostly fail their checksums, so half of the inputs are XML parts
// that the target packs into a sound archive itself: the first worksheet of
// an .xlsx (with, after a "<!--sst-->" mark, its shared strings) or the
// content.xml of an .ods.

#include <cstdio>
#include <string>
#include <string_view>

#include <unistd.h>
#include <zip.h>

#include "fuzz_support.h"
#include "fuzz_workbook.h"

namespace {

using sodwright::fuzz::propertyFailed;

constexpr std::string_view kRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
constexpr std::string_view kWorkbook =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
    "<sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
constexpr std::string_view kWorkbookRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";
constexpr std::string_view kSharedStringsMark = "<!--sst-->";

void add(zip_t* archive, const char* name, std::string_view content) {
  zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
  if (source == nullptr || zip_file_add(archive, name, source, ZIP_FL_OVERWRITE) < 0)
    propertyFailed(__FILE__, __LINE__, std::string("cannot add ") + name + " to the archive");
}

// A sound archive of the given parts, as the bytes of a file.
std::string packed(bool ods, std::string_view xml) {
  const std::string path = "/tmp/sodwright-fuzz-pack-" + std::to_string(::getpid()) + ".zip";
  int code = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (archive == nullptr) propertyFailed(__FILE__, __LINE__, "cannot create " + path);
  if (ods) {
    add(archive, "mimetype", "application/vnd.oasis.opendocument.spreadsheet");
    add(archive, "content.xml", xml);
  } else {
    const std::size_t mark = xml.find(kSharedStringsMark);
    add(archive, "_rels/.rels", kRels);
    add(archive, "xl/workbook.xml", kWorkbook);
    add(archive, "xl/_rels/workbook.xml.rels", kWorkbookRels);
    add(archive, "xl/worksheets/sheet1.xml", xml.substr(0, mark));
    if (mark != std::string_view::npos)
      add(archive, "xl/sharedStrings.xml", xml.substr(mark + kSharedStringsMark.size()));
  }
  if (zip_close(archive) < 0) propertyFailed(__FILE__, __LINE__, "cannot write " + path);
  const auto bytes = sodwright::fuzz::readScratchFile(path);
  std::remove(path.c_str());
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sodwright::fuzz::ByteTaker taker(data, size);
  const std::uint8_t choice = taker.byte();
  const bool ods = choice % 2 == 1;
  const bool parts = (choice / 2) % 2 == 1;
  const std::string file = parts ? packed(ods, taker.rest()) : std::string(taker.rest());
  sodwright::fuzz::checkWorkbook(file, ods ? ".ods" : ".xlsx",
                                 static_cast<std::uint8_t>(choice / 4));
  return 0;
}
