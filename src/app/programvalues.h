#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "paths.h"
#include "settings.h"
#include "texts.h"

namespace mervalo {

// The values the shell owns for the whole run and every screen reads or writes.
struct ProgramValues {
  QString programFolder;     // no trailing separator
  QString settingsFilePath;  // programFolder + "/standaard.ini"
  int language = kDutch;
  bool connected = false;
  QString groupFileName;
  QString eventFileName;
  QString ownEmailAddress;
  QString nameForEmail;
  bool mailUnavailable = false;
  QString sharedDate;
  qint32 lastMailErrorNumber = 0;
  bool updateAsked = false;
  // The mail provider list as the loader left it: the two provider slots (nine entries each,
  // in the order the mail sender reads them; empty when the line was missing or did not decode).
  std::array<QStringList, 2> providers;

  // Text n of the current language (the five-digit rule applies).
  QString text(int n) const { return TextTable::builtin().lookup(n, language); }
  // Text n with every "|" made a line break, as message boxes show it.
  QString message(int n) const { return text(n).replace(QLatin1Char('|'), QLatin1Char('\n')); }
  // The maker's support address, as texts 152 and 153 show it.
  static QString supportAddress() { return TextTable::builtin().detail(QStringLiteral("support")); }
  // programFolder + relative, where relative uses "/" and starts with "/".
  QString path(const QString& relative) const { return programFolder + relative; }
  QString folder(DataFolder f) const { return folderPath(programFolder, f); }
  QString file(DataFolder f, const QString& fileName) const { return filePath(programFolder, f, fileName); }
};

}  // namespace mervalo
