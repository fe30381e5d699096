#include "publish/detailsfile.h"

#include "app/fileops.h"
#include "app/settings.h"
#include "app/textfile.h"
#include "app/texts.h"
#include "publish/htmlpage.h"
#include "scoring/eventsources.h"

namespace mervalo {

bool mailHandsSetting(const QString& settingsFile) {
  const QString value = readSetting(QStringLiteral("Standaard"), QStringLiteral("spelverdeling mailen"), settingsFile).trimmed();
  bool ok = false;
  const int number = value.toInt(&ok);
  return !ok || number != 0;
}

EventExtras readEventExtras(const QString& programFolder, const QString& eventName) {
  // The hand record and the table reports have their own owners; until those read them here,
  // the page shows the result alone.
  (void)programFolder;
  (void)eventName;
  return {};
}

std::optional<QString> writeEventDetailsPage(const QString& programFolder, const QString& eventName, int language,
                                             const QString& folder, bool withHands, QString* error) {
  ResultError failure;
  const auto sources = readEventSources(programFolder, eventName, language, &failure);
  const auto result = sources ? computeEventResult(*sources, &failure) : std::nullopt;
  if (!result) {
    if (error) *error = failure.describe();
    return std::nullopt;
  }
  DetailsOptions options;
  options.language = language;
  options.title = resultsCaption(TextTable::builtin().lookup(98, language), sources->groupFileName());
  options.withHands = withHands;
  const QByteArray page = detailsPage(*result, readEventExtras(programFolder, eventName), options);
  makeFolder(folder);
  const QString path = folder + QLatin1Char('/') + detailsFileName(sources->groupFileName());
  if (!writeFileAtomic(path, page)) {
    if (error) *error = path + QStringLiteral(": the page cannot be written");
    return std::nullopt;
  }
  return path;
}

}  // namespace mervalo
