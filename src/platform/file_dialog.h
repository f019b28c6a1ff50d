// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Open and save file dialogs. The filter is a text of description and pattern
// pairs separated by "|", for example "Text files(*.TXT)|*.TXT".
// A cancelled dialog gives an empty name and no error.

#include <string>

namespace sodwright::platform {

// Every kind the imports read (text and workbooks; see import_kind.h),
// and ".dbf", which is offered and answered with its own message.
inline constexpr const char* kImportFilter =
    "Data "
    "files(*.TXT;*.DAT;*.CSV;*.TSV;*.XLS;*.XLSX;*.ODS;*.DBF)|*.TXT;*.DAT;*.CSV;*.TSV;*.XLS;*.XLSX;*"
    ".ODS;*.DBF";
// The grid window's: the same files, x y z text and the elevation rasters it reads.
inline constexpr const char* kGridImportFilter =
    "Data files(*.TXT;*.DAT;*.CSV;*.TSV;*.XYZ;*.XLS;*.XLSX;*.ODS;*.DBF;*.TIF;*.TIFF;*.ASC)|"
    "*.TXT;*.DAT;*.CSV;*.TSV;*.XYZ;*.XLS;*.XLSX;*.ODS;*.DBF;*.TIF;*.TIFF;*.ASC|"
    "Elevation rasters(*.TIF;*.TIFF;*.ASC)|*.TIF;*.TIFF;*.ASC";
// Comma-separated values for the CSV outputs.
inline constexpr const char* kCsvFilter = "CSV files(*.CSV)|*.CSV";
inline constexpr const char* kReportFilter = "Text files(*.TXT)|*.TXT";

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  virtual std::string askOpenFileName(const std::string& filter) = 0;
  virtual std::string askSaveFileName(const std::string& filter) = 0;
};

}  // namespace sodwright::platform
