// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/workbook/zip_archive.h"

namespace sodwright::platform {

ZipArchive::ZipArchive(const std::string& path) {
  int code = 0;
  archive_ = zip_open(path.c_str(), ZIP_RDONLY, &code);
  if (archive_ != nullptr) return;
  if (code == ZIP_ER_NOENT || code == ZIP_ER_OPEN || code == ZIP_ER_READ) {
    error_ = "The file cannot be opened.";
  } else if (code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS) {
    error_ = "The file is not a workbook: it is not a zip archive.";
  } else {
    zip_error_t zipError;
    zip_error_init_with_code(&zipError, code);
    error_ = std::string("The file cannot be read as a zip archive: ") +
             zip_error_strerror(&zipError) + ".";
    zip_error_fini(&zipError);
  }
}

ZipArchive::~ZipArchive() {
  if (archive_ != nullptr) zip_discard(archive_);
}

bool ZipArchive::contains(const QString& name) const {
  return archive_ != nullptr && zip_name_locate(archive_, name.toUtf8().constData(), 0) >= 0;
}

base::Result<QByteArray> ZipArchive::read(const QString& name, qint64 maxBytes) const {
  const std::string member = name.toStdString();
  if (archive_ == nullptr) return base::fail(error_);
  zip_file_t* file = zip_fopen(archive_, member.c_str(), 0);
  if (file == nullptr) return base::fail("The workbook has no part " + member + ".");
  // The sizes an archive declares may lie; read in pieces and stop at the cap.
  QByteArray bytes;
  char buffer[65536];
  bool failed = false;
  for (;;) {
    const zip_int64_t got = zip_fread(file, buffer, sizeof buffer);
    if (got < 0) {
      failed = true;
      break;
    }
    if (got == 0) break;
    if (bytes.size() + got > maxBytes) {
      zip_fclose(file);
      return base::fail("The workbook part " + member + " is too large to read.");
    }
    bytes.append(buffer, static_cast<qsizetype>(got));
  }
  zip_fclose(file);
  if (failed) return base::fail("The workbook part " + member + " is damaged and cannot be read.");
  return bytes;
}

}  // namespace sodwright::platform
