#pragma once

#include <QString>

#include "net/download.h"

namespace mervalo {

// The host of the maker's download server. A club mirror replaces it through the settings
// file, never here.
inline constexpr char kDefaultServerHost[] = "mervalo.example.org";

// Paths on the download server, letter case as the server has them.
inline constexpr char kSchemaListPath[] = "/MERVALO/Lijst met speelschemas.txt";
inline constexpr char kSchemaFolderPath[] = "/MERVALO/Schema";
inline constexpr char kUpdateNoticePath[] = "/MERVALO/mervalo.txt";
inline constexpr char kUpdaterPath[] = "/MERVALO/mervaloupdate.exe";
inline constexpr char kProviderListPath[] = "/zelvo/MAIL.TXT";

// Where the download server is. Section "Standaard" of the settings file may name a mirror:
// "server http" and "server https", each a base address (scheme, host, optional port and
// path), and "ca-bundle", a certificate file trusted for HTTPS (relative to the program
// folder unless absolute). A value that is not a usable base is ignored.
struct DownloadServer {
  QString httpBase;   // no trailing "/"
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

  DownloadOptions options() const;
};

// "http://club.nl:8080/" gives "http://club.nl:8080"; empty when text is not a base address
// whose scheme is one of the allowed ones ("http" or "https" for httpsOnly false).
QString normaliseServerBase(const QString& text, bool httpsOnly);

// The path as it goes on the wire: every byte that is not unreserved or "/" percent-encoded.
QString encodeServerPath(const QString& path);

}  // namespace mervalo
