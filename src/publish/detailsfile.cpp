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

std::optional<QString> writeEventDetailsPage(const QString& programFolder, const QString& eventName, int language,
                                             const QString& folder, bool withHands, bool waitForAnalysis,
                                             QString* error) {
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
  const EventExtras extras = readEventExtras(programFolder, eventName, waitForAnalysis, &options.analysisPending);
  const QByteArray page = detailsPage(*result, extras, options);
  makeFolder(folder);
  const QString path = folder + QLatin1Char('/') + detailsFileName(sources->groupFileName());
  if (!writeFileAtomic(path, page)) {
    if (error) *error = path + QStringLiteral(": the page cannot be written");
    return std::nullopt;
  }
  return path;
}

}  // namespace mervalo
