// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/workbook/xml_part.h"

namespace sodwright::platform {

QString attributeByLocalName(const QXmlStreamReader& xml, QStringView localName) {
  for (const QXmlStreamAttribute& attribute : xml.attributes()) {
    if (attribute.name() == localName) return attribute.value().toString();
  }
  return {};
}

std::string brokenXmlMessage(const QString& part, const QXmlStreamReader& xml) {
  return "The workbook part " + part.toStdString() +
         " is broken XML: " + xml.errorString().toStdString() + " (line " +
         std::to_string(xml.lineNumber()) + ").";
}

}  // namespace sodwright::platform
