#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class QSaveFile;

namespace mervalo {

// Data files are single-byte Windows-1252 text with CR LF line ends.
QString fromCp1252(const QByteArray& bytes);
QByteArray toCp1252(const QString& text);  // characters outside the code page become '?'

// Reads a text file whole and splits it into lines (CR LF, LF or CR end a line; a final
// line end does not add an empty line). nullopt when the file cannot be opened.
std::optional<QStringList> readTextLines(const QString& path);

// Writes the lines with CR LF after every one, through a temporary file that is flushed and
// renamed over the target, so a crash leaves either the old or the new file. False on failure.
bool writeTextLines(const QString& path, const QStringList& lines);

// Same for raw bytes (already encoded).
bool writeFileAtomic(const QString& path, const QByteArray& bytes);

// Puts a completely written save file in place: what is still buffered is written and the file
// synced, each checked, and only then renamed over the target. On any failure the target keeps
// its previous contents and false is returned.
bool commitSaveFile(QSaveFile& file);

}  // namespace mervalo
