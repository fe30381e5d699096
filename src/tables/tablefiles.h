#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include "event/eventfile.h"
#include "scoring/contractline.h"

namespace mervalo {

// The files the table server keeps beside an event file "invoer/<event>.txt".

// Their paths are in event/eventfile.h: "<event> Tafels.txt" holds one line "table|code" a table;
// "<event> Contracten.txt" one line a table result, the last one for a board and table winning.

// The codes of the tables read from the file (a missing file gives none), and for every table
// 1 … tables without one a new random four-digit code. The file is rewritten only when a code was
// added; false in *written when that failed.
QMap<int, QString> ensureTableCodes(const QString& path, int tables, bool* ok);

}  // namespace mervalo
