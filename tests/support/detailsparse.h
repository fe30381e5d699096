#pragma once

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <QXmlStreamReader>

namespace mervalo::test {

// The details page read by a strict XML parser: how many body rows the tables of each section
// hold, by the section's id ("ranking", "b3", "p5"; not the double-dummy tables), its ids and
// its links within the page.
struct ParsedPage {
  QString error;  // empty when the page is well-formed
  QMap<QString, int> rows;
  QSet<QString> ids;
  QStringList links;  // every href="#…" without the "#"
};

inline ParsedPage parseDetailsPage(const QByteArray& page) {
  ParsedPage out;
  QXmlStreamReader xml(page);
  QStringList sections;  // the ids of the sections we are in ("" for one without)
  bool inBody = false;
  bool handTable = false;  // the double-dummy table is no traveller
  while (!xml.atEnd()) {
    xml.readNext();
    const QString name = xml.name().toString();
    if (xml.isStartElement()) {
      const QString id = xml.attributes().value(QStringLiteral("id")).toString();
      if (!id.isEmpty()) out.ids.insert(id);
      const QString href = xml.attributes().value(QStringLiteral("href")).toString();
      if (href.startsWith(QLatin1Char('#'))) out.links << href.mid(1);
      if (name == QLatin1String("section")) sections << id;
      if (name == QLatin1String("tbody")) inBody = true;
      if (name == QLatin1String("table"))
        handTable = xml.attributes().value(QStringLiteral("class")) == QLatin1String("dd");
    } else if (xml.isEndElement()) {
      if (name == QLatin1String("section")) sections.removeLast();
      if (name == QLatin1String("tbody")) inBody = false;
      if (name == QLatin1String("tr") && inBody && !handTable && !sections.isEmpty()) ++out.rows[sections.last()];
    }
  }
  if (xml.hasError()) out.error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
  return out;
}

}  // namespace mervalo::test
