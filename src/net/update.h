#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace mervalo {

// The update files under the program folder. The folder is "Update" in every path: the
// program's own names are one case, whatever the file system.
inline constexpr char kUpdateFolder[] = "/Update";
inline constexpr char kUpdateNoticeFile[] = "/Update/mervalo.txt";
inline constexpr char kUpdaterFile[] = "/Update/mervaloupdate.exe";
inline constexpr char kUpdaterSignatureFile[] = "/Update/mervaloupdate.exe.sig";
inline constexpr char kLastUpdateFile[] = "/laatsteupdate.txt";

// A date as either language writes it: DD-MM-YYYY or YYYY-MM-DD, told apart by where the
// four-digit year stands, whatever the current language. Blanks around it are ignored;
// anything else is no date.
std::optional<QDate> parseUpdateDate(const QString& text);

// True when both texts are dates and the notice is at least one day after the last update.
bool noticeIsNewer(const QString& noticeDate, const QString& lastUpdateDate);

// The date written in a pattern of DD, MM and YYYY ("DD-MM-YYYY" or "YYYY-MM-DD").
QString formatUpdateDate(const QDate& date, const QString& pattern);

// The one argument the updater is started with.
QString updaterArgument(const QString& programFolder);

}  // namespace mervalo
