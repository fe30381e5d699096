#pragma once

#include <QString>

#include "net/download.h"

namespace mervalo {

// The host of the maker's download server. A club mirror replaces it through the settings
// file, never here.
inline constexpr char kDefaultServerHost[] = "mervalo.example.org";

// The most a download may bring, counted while it arrives: a movement list, a movement, the
// update notice and the provider list are a few kilobytes; the updater a few megabytes.
inline constexpr qint64 kSmallFileCap = 64 * 1024;
inline constexpr qint64 kUpdaterCap = 64 * 1024 * 1024;

// Paths on the download server, letter case as the server has them.
inline constexpr char kSchemaListPath[] = "/MERVALO/Lijst met speelschemas.txt";
inline constexpr char kSchemaFolderPath[] = "/MERVALO/Schema";
inline constexpr char kUpdateNoticePath[] = "/MERVALO/mervalo.txt";
inline constexpr char kUpdaterPath[] = "/MERVALO/mervaloupdate.exe";
inline constexpr char kUpdaterSignaturePath[] = "/MERVALO/mervaloupdate.exe.sig";
inline constexpr char kProviderListPath[] = "/zelvo/MAIL.TXT";

// Where the download server is. Section "Standaard" of the settings file may name a mirror:
// "server http" and "server https", each a base address (scheme, host, optional port and
// path), and "ca-bundle", a certificate file trusted for HTTPS (relative to the program
// folder unless absolute). A value that is not a usable base is ignored.
//
// The maker's server is reached over HTTPS for every file. Only a club's own "server http"
// can name a plain http mirror on its own network, for the movement list and movements.
struct DownloadServer {
  QString httpBase;   // the movements' base; https unless a club's setting says otherwise
  QString httpsBase;  // always https
  QString caBundle;   // absolute path or empty

  // The maker's own server.
  static DownloadServer standard();
  // The server the settings file names, the maker's where it names none.
  static DownloadServer fromSettings(const QString& settingsFilePath, const QString& programFolder);

  // The full addresses of a server path (blanks and other unsafe characters percent-encoded).
  QString httpUrl(const QString& path) const;
  QString httpsUrl(const QString& path) const;
  QString schemaUrl(const QString& schemaName) const;

  // The limits of one download from this server, with the cap of its kind of file.
  DownloadOptions options(qint64 maxBytes) const;
};

// "http://club.nl:8080/" gives "http://club.nl:8080"; empty when text is not a base address
// whose scheme is one of the allowed ones ("http" or "https" for httpsOnly false).
QString normaliseServerBase(const QString& text, bool httpsOnly);

// The path as it goes on the wire: every byte that is not unreserved or "/" percent-encoded.
QString encodeServerPath(const QString& path);

}  // namespace mervalo
