// The hand record commands of mervalo-cli: deal and dd.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

#include "app/paths.h"
#include "app/language.h"
#include "event/eventmodel.h"
#include "hands/dealgen.h"
#include "hands/doubledummy.h"
#include "hands/handrecordfile.h"

namespace mervalo {

namespace {

int complain(const QString& line) {
  std::fprintf(stderr, "mervalo-cli: %s\n", line.toUtf8().constData());
  return 1;
}

}  // namespace

// mervalo-cli deal DIR EVENT [--seed N] [--force]
int runDealCommand(const QStringList& args) {
  QStringList plain;
  std::optional<quint64> seed;
  bool force = false;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--force")) {
      force = true;
    } else if (args[i] == QLatin1String("--seed") && i + 1 < args.size()) {
      bool ok = false;
      seed = args[++i].toULongLong(&ok);
      if (!ok) return complain(QStringLiteral("--seed needs a whole number from 0 to 18446744073709551615"));
    } else {
      plain << args[i];
    }
  }
  if (plain.size() != 2) {
    std::fputs("usage: mervalo-cli deal DIR EVENT [--seed N] [--force]\n", stderr);
    return 2;
  }
  const QString folder = QDir::fromNativeSeparators(plain[0]);
  const QString eventPath = filePath(folder, DataFolder::Events, plain[1] + QStringLiteral(".txt"));
  EventFileError error;
  const auto event = EventModel::load(eventPath, readLanguageFile(folder + QStringLiteral("/taal.txt")), &error);
  if (!event) return complain(error.describe());
  const QString target = handRecordPath(folder, plain[1]);
  if (QFileInfo::exists(target) && !force)
    return complain(QStringLiteral("%1 exists; --force replaces it").arg(QDir::toNativeSeparators(target)));

  std::unique_ptr<RandomSource> random;
  if (seed) random = std::make_unique<SeededRandom>(*seed);
  else random = std::make_unique<SystemRandom>();
  if (!writeHandRecord(target, randomHandRecord(event->header().boards(), *random)))
    return complain(QStringLiteral("%1: the file cannot be written").arg(QDir::toNativeSeparators(target)));
  std::printf("%s\n", QDir::toNativeSeparators(target).toUtf8().constData());
  return 0;
}

// mervalo-cli dd FILE.pbn
int runDdCommand(const QStringList& args) {
  if (args.size() != 1) {
    std::fputs("usage: mervalo-cli dd FILE.pbn\n", stderr);
    return 2;
  }
  QFile file(args[0]);
  if (!file.open(QIODevice::ReadOnly)) return complain(QStringLiteral("%1: the file cannot be read").arg(args[0]));
  PbnError error;
  auto record = readPbn(file.readAll(), &error);
  if (!record) return complain(args[0] + QStringLiteral(": ") + error.describe());
  // The file's own tables are not trusted here: this command is how one checks them.
  for (BoardHand& b : record->boards) {
    b.table.reset();
    b.par.reset();
  }
  QString failure;
  if (!analyseHandRecord(*record, &failure)) return complain(failure);
  QByteArray out;
  for (const BoardHand& b : record->boards) {
    QStringList fields{QString::number(b.board)};
    for (Seat seat : kSeats)
      for (Strain strain : kStrains) fields << QString::number(b.table->at(seat, strain));
    fields << QString::number(b.par->score) << b.par->contracts;
    out += fields.join(QLatin1Char('\t')).toUtf8() + '\n';
  }
  std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
  return 0;
}

}  // namespace mervalo
