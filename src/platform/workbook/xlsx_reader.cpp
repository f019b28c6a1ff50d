// SPDX-License-Identifier: GPL-3.0-or-later
// .xlsx workbooks: a zip archive whose workbook part lists the sheets, whose
// relationship parts say where each sheet lives, and whose shared-strings
// part holds the texts the cells refer to by index.
#include <optional>
#include <vector>

#include <QDir>
#include <QStringList>
#include <QXmlStreamReader>

#include "platform/workbook/sheet_builder.h"
#include "platform/workbook/workbook_readers.h"
#include "platform/workbook/xml_part.h"
#include "platform/workbook/zip_archive.h"

namespace sodwright::platform {
namespace {

struct Relationship {
  QString id;
  QString type;
  QString target;  // resolved to a member name of the archive
};

QString folderOf(const QString& part) {
  const qsizetype slash = part.lastIndexOf(u'/');
  return slash < 0 ? QString() : part.left(slash + 1);
}

QString resolveTarget(const QString& sourcePart, const QString& target) {
  if (target.startsWith(u'/')) return QDir::cleanPath(target.mid(1));
  return QDir::cleanPath(folderOf(sourcePart) + target);
}

QString relationshipsPartOf(const QString& part) {
  const qsizetype slash = part.lastIndexOf(u'/');
  return folderOf(part) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

// The relationships of a part; none when the part has no relationship part.
base::Result<std::vector<Relationship>> readRelationships(const ZipArchive& zip,
                                                          const QString& sourcePart) {
  std::vector<Relationship> found;
  const QString relsPart = relationshipsPartOf(sourcePart);
  if (!zip.contains(relsPart)) return found;
  const auto bytes = zip.read(relsPart, kMaxPartBytes);
  if (!bytes) return base::fail(bytes.message());
  QXmlStreamReader xml(*bytes);
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Relationship") {
      found.push_back({attributeByLocalName(xml, u"Id"), attributeByLocalName(xml, u"Type"),
                       resolveTarget(sourcePart, attributeByLocalName(xml, u"Target"))});
    }
  }
  if (xml.hasError()) return base::fail(brokenXmlMessage(relsPart, xml));
  return found;
}

const Relationship* findByType(const std::vector<Relationship>& list, QStringView typeEnd) {
  for (const Relationship& r : list) {
    if (r.type.endsWith(typeEnd)) return &r;
  }
  return nullptr;
}

// The text of a string item: every <t> except the phonetic runs (<rPh>).
QString readStringItem(QXmlStreamReader& xml) {
  QString text;
  int depth = 1;
  while (depth > 0 && !xml.atEnd()) {
    const auto token = xml.readNext();
    if (token == QXmlStreamReader::StartElement) {
      if (xml.name() == u"t") {
        text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
      } else if (xml.name() == u"rPh") {
        xml.skipCurrentElement();
      } else {
        ++depth;
      }
    } else if (token == QXmlStreamReader::EndElement) {
      --depth;
    }
  }
  // Many cells may show one shared string: keep it no longer than a cell's text.
  text.truncate(static_cast<qsizetype>(kMaxCellText));
  return text;
}

base::Result<QStringList> readSharedStrings(const ZipArchive& zip, const QString& part) {
  QStringList strings;
  if (part.isEmpty() || !zip.contains(part)) return strings;
  const auto bytes = zip.read(part, kMaxPartBytes);
  if (!bytes) return base::fail(bytes.message());
  QXmlStreamReader xml(*bytes);
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
      strings.append(readStringItem(xml));
  }
  if (xml.hasError()) return base::fail(brokenXmlMessage(part, xml));
  return strings;
}

// The first <sheet> of the workbook part: its relationship id.
base::Result<QString> firstSheetId(const ZipArchive& zip, const QString& part) {
  const auto bytes = zip.read(part, kMaxPartBytes);
  if (!bytes) return base::fail(bytes.message());
  QXmlStreamReader xml(*bytes);
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"sheet") {
      return attributeByLocalName(xml, u"id");
    }
  }
  return base::fail(xml.hasError() ? brokenXmlMessage(part, xml)
                                   : std::string("The workbook has no worksheet."));
}

CellValue cellFromXlsx(const QString& type, const QString& value, bool hasValue,
                       const QStringList& shared) {
  if (type == u"inlineStr") return CellValue::ofText(value.toStdString());
  if (!hasValue) return CellValue::empty();
  if (type == u"s") {
    bool ok = false;
    const int index = value.trimmed().toInt(&ok);
    if (!ok || index < 0 || index >= shared.size()) return CellValue::ofText("#REF!");
    return CellValue::ofText(shared.at(index).toStdString());
  }
  if (type == u"b") return CellValue::ofText(value.trimmed() == u"1" ? "TRUE" : "FALSE");
  if (type.isEmpty() || type == u"n") {
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    if (ok) return numberCell(number);
  }
  // Formula texts ("str"), errors ("e"), dates ("d") and unreadable numbers.
  return CellValue::ofText(value.toStdString());
}

base::Result<> readSheet(const ZipArchive& zip, const QString& part, const QStringList& shared,
                         SheetBuilder& builder) {
  const auto bytes = zip.read(part, kMaxPartBytes);
  if (!bytes) return base::fail(bytes.message());
  QXmlStreamReader xml(*bytes);
  qint64 row = 0;
  qint64 column = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"row") {
      bool ok = false;
      const qint64 given = attributeByLocalName(xml, u"r").toLongLong(&ok);
      row = ok ? given : row + 1;
      column = 0;
    } else if (xml.name() == u"c") {
      const QString ref = attributeByLocalName(xml, u"r");
      if (ref.isEmpty()) {
        ++column;
      } else {
        const auto parsed = parseCellReference(ref.toStdString());
        if (!parsed) {
          return base::fail("The worksheet has a broken cell reference \"" + ref.toStdString() +
                            "\".");
        }
        row = parsed->row;
        column = parsed->column;
      }
      const QString type = attributeByLocalName(xml, u"t");
      QString value;
      bool hasValue = false;
      while (xml.readNextStartElement()) {
        if (xml.name() == u"v") {
          value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
          hasValue = true;
        } else if (xml.name() == u"is") {
          value = readStringItem(xml);
        } else {
          xml.skipCurrentElement();
        }
      }
      if (auto put = builder.put(row, column, cellFromXlsx(type, value, hasValue, shared)); !put)
        return put;
    }
  }
  if (xml.hasError()) return base::fail(brokenXmlMessage(part, xml));
  return {};
}

}  // namespace

SheetResult readXlsxFirstSheet(const std::string& path) {
  ZipArchive zip(path);
  if (!zip.isOpen()) return base::fail(zip.error());
  const auto packageRels = readRelationships(zip, QString());
  if (!packageRels) return base::fail(packageRels.message());
  const Relationship* office = findByType(*packageRels, u"/officeDocument");
  const QString workbookPart =
      office != nullptr ? office->target : QStringLiteral("xl/workbook.xml");
  if (!zip.contains(workbookPart))
    return base::fail("The file is not an .xlsx workbook: it has no workbook part.");
  const auto sheetId = firstSheetId(zip, workbookPart);
  if (!sheetId) return base::fail(sheetId.message());
  const auto workbookRels = readRelationships(zip, workbookPart);
  if (!workbookRels) return base::fail(workbookRels.message());
  const Relationship* sheetRel = nullptr;
  for (const Relationship& r : *workbookRels) {
    if (r.id == *sheetId) sheetRel = &r;
  }
  if (sheetRel == nullptr || !zip.contains(sheetRel->target))
    return base::fail("The workbook has no worksheet.");
  const Relationship* strings = findByType(*workbookRels, u"/sharedStrings");
  const auto shared = readSharedStrings(
      zip, strings != nullptr ? strings->target : folderOf(workbookPart) + "sharedStrings.xml");
  if (!shared) return base::fail(shared.message());
  SheetBuilder builder;
  if (auto read = readSheet(zip, sheetRel->target, *shared, builder); !read)
    return base::fail(read.message());
  return builder.take();
}

}  // namespace sodwright::platform
