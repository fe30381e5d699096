#pragma once

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <QVector>
#include <QXmlStreamReader>

namespace mervalo::test {

// The details page read by a strict XML parser: the body rows of every table by the id of the
// section around it ("ranking", "b3", "p5"; not the double-dummy tables), each cell's text with
// its parts joined by blanks.
struct ParsedPage {
  QString error;  // empty when the page is well-formed
  QMap<QString, QVector<QStringList>> rows;
  QSet<QString> ids;
  QStringList links;  // every href="#…" without the "#"
};

inline ParsedPage parseDetailsPage(const QByteArray& page) {
  ParsedPage out;
  QXmlStreamReader xml(page);
  QStringList sections;  // the ids of the sections we are in ("" for one without)
  bool inBody = false;
  bool handTable = false;  // the double-dummy table is no traveller
  QStringList row;
  QStringList cell;
  int cellDepth = 0;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const QString name = xml.name().toString();
      const QString id = xml.attributes().value(QStringLiteral("id")).toString();
      if (!id.isEmpty()) out.ids.insert(id);
      const QString href = xml.attributes().value(QStringLiteral("href")).toString();
      if (href.startsWith(QLatin1Char('#'))) out.links << href.mid(1);
      if (name == QLatin1String("section")) sections << id;
      if (name == QLatin1String("tbody")) inBody = true;
      if (name == QLatin1String("table"))
        handTable = xml.attributes().value(QStringLiteral("class")) == QLatin1String("dd");
      if (name == QLatin1String("tr")) row.clear();
      if (name == QLatin1String("td") || name == QLatin1String("th")) cell.clear(), cellDepth = 1;
      else if (cellDepth > 0) ++cellDepth;
    } else if (xml.isCharacters() && cellDepth > 0) {
      cell << xml.text().toString().trimmed();
    } else if (xml.isEndElement()) {
      const QString name = xml.name().toString();
      if (name == QLatin1String("section")) sections.removeLast();
      if (name == QLatin1String("tbody")) inBody = false;
      if (name == QLatin1String("td") || name == QLatin1String("th")) {
        cell.removeAll(QString());
        row << cell.join(QLatin1Char(' '));
        cellDepth = 0;
      } else if (cellDepth > 0) {
        --cellDepth;
      }
      if (name == QLatin1String("tr") && inBody && !handTable && !sections.isEmpty()) out.rows[sections.last()] << row;
    }
  }
  if (xml.hasError()) out.error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
  return out;
}

}  // namespace mervalo::test
