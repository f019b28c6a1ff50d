// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading members of a zip archive (.xlsx and .ods are zip archives of XML).

#include <optional>
#include <string>

#include <zip.h>

#include <QByteArray>
#include <QString>

#include "base/result.h"

namespace sodwright::platform {

class ZipArchive {
 public:
  // Opens the archive read-only; check error() afterwards.
  explicit ZipArchive(const std::string& path);
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  bool isOpen() const { return archive_ != nullptr; }
  const std::string& error() const { return error_; }

  bool contains(const QString& name) const;
  // The whole member, at most maxBytes long; fails when it is missing,
  // unreadable or larger.
  base::Result<QByteArray> read(const QString& name, qint64 maxBytes) const;

 private:
  zip_t* archive_ = nullptr;
  std::string error_;
};

}  // namespace sodwright::platform
