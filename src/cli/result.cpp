// The scoring commands of mervalo-cli: result, csv, score and pbn.

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

#include "app/paths.h"
#include "app/language.h"
#include "app/textfile.h"
#include "publish/detailsfile.h"
#include "publish/htmlpage.h"
#include "publish/pbnexport.h"
#include "scoring/eventsources.h"
#include "scoring/resultgrid.h"
#include "scoring/scoretable.h"

namespace {

using namespace mervalo;

void out(const QByteArray& bytes) { std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout); }

int complain(const QString& line) {
  std::fprintf(stderr, "mervalo-cli: %s\n", line.toUtf8().constData());
  return 1;
}

QString folderOf(const QString& arg) {
  QString folder = QDir::fromNativeSeparators(arg);
  while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) folder.chop(1);
  return folder;
}

struct Computed {
  EventSources sources;
  Grid grid;  // the full results grid
};

// Reads and computes the event; nullopt after reporting why not.
std::optional<Computed> computeFromFolder(const QString& folder, const QString& eventName) {
  const int language = readLanguageFile(folder + QStringLiteral("/taal.txt"));
  ResultError error;
  const auto sources = readEventSources(folder, eventName, language, &error);
  if (!sources) {
    complain(error.describe());
    return std::nullopt;
  }
  const auto result = computeEventResult(*sources, &error);
  if (!result) {
    complain(error.describe());
    return std::nullopt;
  }
  // The full grid's column widths show nowhere here; only the page's copy is fitted.
  return Computed{*sources, resultsGrid(*result, ResultsHeadings::of(sources->language))};
}

QString csvField(const QString& text) {
  if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
      !text.contains(QLatin1Char('\r')))
    return text;
  QString quoted = text;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

// mervalo-cli result DIR EVENT
int runResultCommand(const QStringList& args) {
  if (args.size() != 2) {
    std::fputs("usage: mervalo-cli result DIR EVENT\n", stderr);
    return 2;
  }
  const QString folder = folderOf(args[0]);
  const auto result = computeFromFolder(folder, args[1]);
  if (!result) return 1;
  QString page;
  if (!writeResultsPage(folder, result->sources.groupFileName(), result->grid, result->sources.language,
                        fixedPitchWidth, &page))
    return complain(relativeFilePath(DataFolder::Pages, QFileInfo(page).fileName()) + QStringLiteral(": the page cannot be written"));
  QString error;
  if (!writeEventDetailsPage(folder, args[1], result->sources.language, folderPath(folder, DataFolder::Pages), true, true, &error))
    return complain(error);
  QByteArray text;
  for (int r = 0; r < result->grid.rows(); ++r) text += result->grid.rowTexts(r).join(QLatin1Char('\t')).toUtf8() + '\n';
  out(text);
  return 0;
}

// mervalo-cli csv DIR EVENT [FILE]
int runCsvCommand(const QStringList& args) {
  if (args.size() != 2 && args.size() != 3) {
    std::fputs("usage: mervalo-cli csv DIR EVENT [FILE]\n", stderr);
    return 2;
  }
  const auto result = computeFromFolder(folderOf(args[0]), args[1]);
  if (!result) return 1;
  QByteArray text;
  for (int r = 0; r < result->grid.rows(); ++r) {
    QStringList fields;
    for (const QString& cell : result->grid.rowTexts(r)) fields << csvField(cell);
    text += fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
  }
  if (args.size() == 2) {
    out(text);
    return 0;
  }
  // A byte-order mark lets spreadsheet programs see that the names are UTF-8.
  if (!writeFileAtomic(args[2], QByteArray("\xEF\xBB\xBF") + text))
    return complain(QStringLiteral("%1: the file cannot be written").arg(args[2]));
  return 0;
}

// mervalo-cli score BOARD TEXT
int runScoreCommand(const QStringList& args) {
  bool ok = false;
  const int board = args.size() == 2 ? args[0].toInt(&ok) : 0;
  if (!ok || vulnerabilityOf(board) < 0) {
    std::fputs("usage: mervalo-cli score BOARD TEXT   (BOARD from 1 to 192)\n", stderr);
    return 2;
  }
  if (args[1].contains(QLatin1Char('%'))) {  // an adjusted score is neither normalised nor checked
    out((args[1] + QStringLiteral("\t\taccepted\n")).toUtf8());
    return 0;
  }
  const EnteredScore entered = enterNsScore(board, typedNsText(args[1]));
  static const char* const kVerdicts[] = {"accepted", "wrong-vulnerability", "impossible"};
  const QString line = entered.texts.ns + QLatin1Char('\t') + entered.texts.ew + QLatin1Char('\t') +
                       QLatin1String(kVerdicts[static_cast<int>(entered.verdict)]) + QLatin1Char('\n');
  out(line.toUtf8());
  return 0;
}

// mervalo-cli pbn DIR EVENT
int runPbnCommand(const QStringList& args) {
  if (args.size() != 2) {
    std::fputs("usage: mervalo-cli pbn DIR EVENT\n", stderr);
    return 2;
  }
  const QString folder = folderOf(args[0]);
  ResultError error;
  const auto sources = readEventSources(folder, args[1], readLanguageFile(folder + QStringLiteral("/taal.txt")), &error);
  const auto result = sources ? computeEventResult(*sources, &error) : std::nullopt;
  if (!result) return complain(error.describe());
  out(pbnResults(*result, readEventExtras(folder, args[1], true), sources->groupName));
  return 0;
}
