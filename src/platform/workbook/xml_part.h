// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers for reading the XML parts of a zipped workbook.

#include <string>

#include <QString>
#include <QXmlStreamReader>

namespace sodwright::platform {

// Largest XML part we read into memory.
inline constexpr qint64 kMaxPartBytes = 256LL * 1024 * 1024;

// The value of the attribute with this local name, whatever its prefix.
QString attributeByLocalName(const QXmlStreamReader& xml, QStringView localName);

// "The workbook part X is broken XML: <reason> (line N)."
std::string brokenXmlMessage(const QString& part, const QXmlStreamReader& xml);

}  // namespace sodwright::platform
