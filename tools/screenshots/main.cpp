// Makes the pictures of the organiser's guide: walks a first evening through the program's real
// windows in a fresh program folder and saves a picture of every step.
//
//   mervalo_screenshots LANGUAGE OUTPUT-FOLDER [DATA-FOLDER]
//
// LANGUAGE is 10 (Dutch) or 11 (English); DATA-FOLDER holds what an installation supplies
// (taal.txt and the schema folder), the build's bin folder unless given. Run it on a real X
// server (tools/screenshots.sh uses Xvfb), so that the pictures have real fonts.

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPointer>
#include <cstdio>
#include <memory>

#include "app/screens/appcontext.h"
#include "app/screens/mainmenu.h"
#include "app/textfile.h"
#include "app/texts.h"
#include "evening.h"
#include "guidewalk.h"
#include "mailserver.h"
#include "publish/providerlist.h"

using namespace mervalo;
using namespace mervalo::guide;

namespace {

bool copyTree(const QString& from, const QString& to) {
  if (!QDir().mkpath(to)) return false;
  QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
    const bool ok = it.fileInfo().isDir() ? QDir().mkpath(target) : QFile::copy(source, target);
    if (!ok) return false;
  }
  return true;
}

// A provider list whose two servers are the local one: plain SMTP on loopback, no login.
QByteArray localProviderList(int port, int language) {
  const QString sender = language == kEnglish ? QStringLiteral("Bridge club") : QStringLiteral("Bridgeclub");
  const QStringList slot{QString::number(port), QString(), QStringLiteral("clubpc"), QStringLiteral("uitslag@example.org"),
                         QStringLiteral("127.0.0.1"), QStringLiteral("False"), QString(), sender, QStringLiteral("0")};
  return makeProviderList({slot, slot}, {117, 305});
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  const int language = args.value(1).toInt();
  if (args.size() < 3 || (language != kDutch && language != kEnglish)) {
    std::fprintf(stderr, "usage: mervalo_screenshots 10|11 OUTPUT-FOLDER [DATA-FOLDER]\n");
    return 2;
  }
  const QString outDir = QDir(args[2]).absolutePath();
  const QString dataDir = args.size() > 3 ? args[3] : QStringLiteral(MERVALO_BIN_DIR);
  Walk walk(outDir);
  walk.step(QStringLiteral("preparing"));
  if (!QDir().mkpath(outDir)) walk.fail(QStringLiteral("cannot make ") + outDir);

  // A fixed place rather than a random one: the folder's name shows in one of the pictures,
  // and pictures made again should differ only where a screen changed.
  const QString work = QDir::tempPath() + QStringLiteral("/mervalo-guide-%1").arg(language);
  const QString programFolder = work + QStringLiteral("/Mervalo");
  QDir(work).removeRecursively();
  std::unique_ptr<test::LocalMailServer> server;
  walk.onFailure([&server, work] {
    server.reset();
    QDir(work).removeRecursively();
  });

  if (!QFile::exists(dataDir + QStringLiteral("/taal.txt")) || !QDir(dataDir + QStringLiteral("/schema")).exists())
    walk.fail(QStringLiteral("no taal.txt and schema folder in ") + dataDir);
  if (!QDir().mkpath(programFolder) || !QFile::copy(dataDir + QStringLiteral("/taal.txt"), programFolder + QStringLiteral("/taal.txt")) ||
      !copyTree(dataDir + QStringLiteral("/schema"), programFolder + QStringLiteral("/schema")))
    walk.fail(QStringLiteral("cannot fill the program folder ") + programFolder);
  QFile::remove(programFolder + QStringLiteral("/taal.txt"));
  if (!writeTextLines(programFolder + QStringLiteral("/taal.txt"), {QString::number(language)}))
    walk.fail(QStringLiteral("cannot write taal.txt"));

  server = test::LocalMailServer::start(work + QStringLiteral("/ontvangen"), {});
  if (!server->running()) walk.fail(QStringLiteral("the local mail server did not start: ") + server->error());
  // As downloaded with "Download MAIL.TXT", but pointing at the local server.
  const QByteArray providers = localProviderList(server->port(), language);
  QFile list(programFolder + QStringLiteral("/MAIL.TXT"));
  if (providers.isEmpty() || !list.open(QIODevice::WriteOnly) || list.write(providers) != providers.size())
    walk.fail(QStringLiteral("cannot write MAIL.TXT"));
  list.close();

  const Evening evening = eveningFor(language);
  AppContext ctx;
  GuidePrompter prompter(walk, &ctx.values);
  ctx.prompter = &prompter;
  ctx.values.programFolder = QDir::cleanPath(programFolder);
  ctx.quit = [&walk] { walk.fail(QStringLiteral("the program ended")); };
  ctx.connectionTest = [] { return false; };  // no update check: the pictures show no notice
  ctx.today = [date = evening.date] { return date; };
  registerAllScreens(ctx);
  walk.guardAgainstStrayWindows();
  auto* menu = new MainMenu(ctx);
  menu->centreOnScreen();
  menu->showAndActivate();

  walkEvening(walk, prompter, ctx, evening);

  walk.step(QStringLiteral("checking the mail"));
  const int received = static_cast<int>(server->received().size());
  if (received != playersWithMail(evening))
    walk.fail(QStringLiteral("%1 mails arrived, %2 were sent").arg(received).arg(playersWithMail(evening)));

  QList<QPointer<QWidget>> windows;
  for (QWidget* w : QApplication::topLevelWidgets()) windows << w;
  for (const QPointer<QWidget>& w : windows) delete w.data();
  server.reset();
  QDir(work).removeRecursively();
  std::printf("%d pictures in %s\n", walk.shots(), qPrintable(outDir));
  return 0;
}
