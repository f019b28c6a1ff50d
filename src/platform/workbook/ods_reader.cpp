// SPDX-License-Identifier: GPL-3.0-or-later
// .ods workbooks: a zip archive whose content.xml holds the tables. Runs of
// equal rows and cells are written once with a repeat count, which may be
// huge for the empty rest of a sheet; only filled cells are kept.
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include <QXmlStreamReader>

#include "platform/workbook/sheet_builder.h"
#include "platform/workbook/workbook_readers.h"
#include "platform/workbook/xml_part.h"
#include "platform/workbook/zip_archive.h"

namespace sodwright::platform {
namespace {

constexpr QStringView kOfficeNs = u"urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr QStringView kTableNs = u"urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr QStringView kTextNs = u"urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr qint64 kMaxSpaces = 1000;

// The attribute of this namespace and local name; empty when absent.
std::optional<QString> attribute(const QXmlStreamAttributes& attributes, QStringView ns,
                                 QStringView name) {
  for (const QXmlStreamAttribute& a : attributes) {
    if (a.namespaceUri() == ns && a.name() == name) return a.value().toString();
  }
  return std::nullopt;
}

qint64 repeatCount(const QXmlStreamReader& xml, QStringView name) {
  bool ok = false;
  const qint64 count =
      attribute(xml.attributes(), kTableNs, name).value_or(QString()).toLongLong(&ok);
  return ok && count > 0 ? count : 1;
}

// The displayed text of the current element: its paragraphs on their own
// lines, <text:s> as its count of blanks; notes on the cell are left out.
// Iterative, so that deeply nested spans cannot exhaust the stack.
void collectText(QXmlStreamReader& xml, QString& out) {
  int depth = 0;  // levels below the element whose text is collected
  bool firstParagraph = true;
  while (!xml.atEnd()) {
    // Past the longest cell text, read on to the end of the element without keeping more.
    if (static_cast<std::size_t>(out.size()) > kMaxCellText)
      out.truncate(static_cast<qsizetype>(kMaxCellText));
    const auto token = xml.readNext();
    if (token == QXmlStreamReader::EndElement) {
      if (depth == 0) return;
      --depth;
    } else if (token == QXmlStreamReader::Characters) {
      out += xml.text();
    } else if (token == QXmlStreamReader::StartElement) {
      const bool inText = xml.namespaceUri() == kTextNs;
      if (inText && xml.name() == u"s") {
        bool ok = false;
        const qint64 count =
            attribute(xml.attributes(), kTextNs, u"c").value_or(QString()).toLongLong(&ok);
        out += QString(static_cast<qsizetype>(ok ? std::clamp<qint64>(count, 1, kMaxSpaces) : 1),
                       u' ');
        xml.skipCurrentElement();
      } else if (inText && xml.name() == u"tab") {
        out += u'\t';
        xml.skipCurrentElement();
      } else if (inText && xml.name() == u"line-break") {
        out += u'\n';
        xml.skipCurrentElement();
      } else if (xml.namespaceUri() == kOfficeNs && xml.name() == u"annotation") {
        xml.skipCurrentElement();
      } else {
        if (depth == 0 && inText && xml.name() == u"p") {
          if (!firstParagraph) out += u'\n';
          firstParagraph = false;
        }
        ++depth;
      }
    }
  }
}

CellValue readCell(QXmlStreamReader& xml) {
  const QXmlStreamAttributes attributes = xml.attributes();
  const QString type = attribute(attributes, kOfficeNs, u"value-type").value_or(QString());
  QString shown;
  collectText(xml, shown);
  if (type == u"float" || type == u"percentage" || type == u"currency") {
    bool ok = false;
    const double number =
        attribute(attributes, kOfficeNs, u"value").value_or(QString()).toDouble(&ok);
    if (ok) return numberCell(number);
  } else if (type == u"boolean") {
    return CellValue::ofText(
        attribute(attributes, kOfficeNs, u"boolean-value") == QStringLiteral("true") ? "TRUE"
                                                                                     : "FALSE");
  } else if (type == u"string") {
    if (const auto given = attribute(attributes, kOfficeNs, u"string-value"))
      return CellValue::ofText(given->left(static_cast<qsizetype>(kMaxCellText)).toStdString());
  }
  if (type.isEmpty() && shown.isEmpty()) return CellValue::empty();
  return CellValue::ofText(shown.left(static_cast<qsizetype>(kMaxCellText)).toStdString());
}

// A cell of a row and how many columns it repeats over.
struct CellRun {
  qint64 firstColumn;
  qint64 lastColumn;
  CellValue value;
};

// The filled cells of one <table:table-row>, as runs: a value repeated over
// many columns is stored once here.
std::vector<CellRun> readRow(QXmlStreamReader& xml) {
  std::vector<CellRun> runs;
  qint64 column = 1;
  while (xml.readNextStartElement()) {
    if (xml.namespaceUri() != kTableNs ||
        (xml.name() != u"table-cell" && xml.name() != u"covered-table-cell")) {
      xml.skipCurrentElement();
      continue;
    }
    const qint64 repeat = repeatCount(xml, u"number-columns-repeated");
    CellValue value = readCell(xml);
    const qint64 last = std::min<qint64>(column + repeat - 1, kMaxSheetColumns);
    if (value.kind != CellValue::Kind::Empty && column <= last)
      runs.push_back({column, last, std::move(value)});
    column = std::min<qint64>(column + repeat, kMaxSheetColumns + 1);
  }
  return runs;
}

bool isRowGroup(const QXmlStreamReader& xml) {
  return xml.namespaceUri() == kTableNs &&
         (xml.name() == u"table-header-rows" || xml.name() == u"table-rows" ||
          xml.name() == u"table-row-group");
}

// Reads the rows of the table whose start element was just read.
base::Result<> readTable(QXmlStreamReader& xml, SheetBuilder& builder) {
  qint64 row = 1;
  int depth = 1;
  while (depth > 0 && !xml.atEnd()) {
    const auto token = xml.readNext();
    if (token == QXmlStreamReader::EndElement) {
      --depth;
    } else if (token == QXmlStreamReader::StartElement) {
      if (isRowGroup(xml)) {
        ++depth;
      } else if (xml.namespaceUri() == kTableNs && xml.name() == u"table-row") {
        const qint64 repeat = repeatCount(xml, u"number-rows-repeated");
        const auto runs = readRow(xml);
        const qint64 last = std::min<qint64>(row + repeat - 1, kMaxSheetRows);
        for (qint64 r = row; !runs.empty() && r <= last; ++r) {
          for (const CellRun& run : runs) {
            for (qint64 c = run.firstColumn; c <= run.lastColumn; ++c) {
              if (auto put = builder.put(r, c, run.value); !put) return put;
            }
          }
        }
        row = std::min<qint64>(row + repeat, kMaxSheetRows + 1);
      } else {
        xml.skipCurrentElement();
      }
    }
  }
  return {};
}

}  // namespace

SheetResult readOdsFirstSheet(const std::string& path) {
  ZipArchive zip(path);
  if (!zip.isOpen()) return base::fail(zip.error());
  const QString part = QStringLiteral("content.xml");
  if (!zip.contains(part))
    return base::fail("The file is not an .ods workbook: it has no content.xml.");
  const auto bytes = zip.read(part, kMaxPartBytes);
  if (!bytes) return base::fail(bytes.message());
  QXmlStreamReader xml(*bytes);
  SheetBuilder builder;
  bool found = false;
  while (!found && !xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.namespaceUri() == kTableNs &&
        xml.name() == u"table") {
      found = true;
      if (auto read = readTable(xml, builder); !read) return base::fail(read.message());
    }
  }
  if (xml.hasError()) return base::fail(brokenXmlMessage(part, xml));
  if (!found) return base::fail("The workbook has no worksheet.");
  return builder.take();
}

}  // namespace sodwright::platform
