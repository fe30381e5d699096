#include "textfile.h"

#include <QFile>
#include <QSaveFile>
#include <unistd.h>

namespace mervalo {

namespace {
// Unicode code points of bytes 0x80..0x9F in Windows-1252; 0 marks the five unassigned bytes,
// which map to the C1 control of the same value as Windows itself does.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
}  // namespace

QString fromCp1252(const QByteArray& bytes) {
  QString out;
  out.resize(bytes.size());
  QChar* d = out.data();
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0)
      d[i] = QChar(kHigh[b - 0x80]);
    else
      d[i] = QChar(b);
  }
  return out;
}

QByteArray toCp1252(const QString& text) {
  QByteArray out;
  out.resize(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t u = text[i].unicode();
    char c = '?';
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      c = static_cast<char>(u);
    } else {
      for (int k = 0; k < 32; ++k) {
        if (kHigh[k] == u && u != 0) {
          c = static_cast<char>(0x80 + k);
          break;
        }
      }
      if (c == '?' && u >= 0x80 && u <= 0x9F) c = static_cast<char>(u);
    }
    out[i] = c;
  }
  return out;
}

std::optional<QStringList> readTextLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray all = f.readAll();
  QStringList lines;
  qsizetype start = 0;
  const qsizetype n = all.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char c = all[i];
    if (c == '\r' || c == '\n') {
      lines.append(fromCp1252(all.mid(start, i - start)));
      if (c == '\r' && i + 1 < n && all[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < n) lines.append(fromCp1252(all.mid(start)));
  return lines;
}

bool commitSaveFile(QSaveFile& file) {
  // QSaveFile::commit() neither checks the write of what it still buffers nor the sync, so a
  // full disk would rename a short file over the good one. Both are done and checked here;
  // some network shares only tell of a full disk when the file is synced.
  if (!file.flush() || ::fdatasync(file.handle()) != 0) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool writeFileAtomic(const QString& path, const QByteArray& bytes) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return false;
  if (f.write(bytes) != bytes.size()) {
    f.cancelWriting();
    return false;
  }
  return commitSaveFile(f);
}

bool writeTextLines(const QString& path, const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) {
    bytes += toCp1252(line);
    bytes += "\r\n";
  }
  return writeFileAtomic(path, bytes);
}

}  // namespace mervalo
