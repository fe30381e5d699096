// A process that keeps saving an event file, a name list and a group is killed at random moments,
// hundreds of times: every file it leaves is the old or the new one, whole, a list or group is
// never newer than its addresses, and the temporary files a kill leaves behind go at the next start.

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <cstdio>
#include <functional>

#include "app/fileops.h"
#include "app/textfile.h"
#include "event/eventmodel.h"
#include "players/groupfile.h"
#include "players/namelist.h"

namespace {

using namespace mervalo;

constexpr char kChildFolder[] = "MERVALO_KILLED_SAVER_FOLDER";

// Version n of each file. Long enough that a save takes more than one write.
EventModel eventVersion(int n) {
  const QString title = QStringLiteral("Versie %1 Uitslag").arg(n);
  EventModel model(*parseHeader({title, "8", "Geen", "3", "2", "08 Paren 03 Ronden Test", "0"}, QString()));
  for (int b = 1; b <= 6; ++b) {
    ScoreRecord record{b, {}};
    for (int t = 0; t < 60; ++t)
      record.tables.append({t + 1, t + 2, QString::number(10 * n), QString::number(-10 * n), "1", "1"});
    model.storeRecord(record);
  }
  return model;
}
QStringList listVersion(int n, const char* what) {
  QStringList lines;
  for (int i = 0; i < 600; ++i) lines.append(QStringLiteral("%1 %2 regel %3").arg(QLatin1String(what)).arg(n).arg(i));
  return lines;
}

// The version a file holds when it is one whole version, else -1 (a missing file: 0).
int versionOf(const QString& path, const std::function<QStringList(int)>& make) {
  const auto lines = readTextLines(path);
  if (!lines) return 0;
  const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("(\\d+)")).match(lines->value(0));
  const int n = m.hasMatch() ? m.captured(1).toInt() : -1;
  return n > 0 && *lines == make(n) ? n : -1;
}

struct Files {
  QString folder;
  QString event() const { return folder + QStringLiteral("/invoer/Versie Uitslag.txt"); }
  QString names() const { return folder + QStringLiteral("/namen"); }
  QString group() const { return folder + QStringLiteral("/groepen/Groep A"); }
  int eventVersion() const { return versionOf(event(), [](int n) { return ::eventVersion(n).lines(); }); }
  int namesVersion(const char* ext) const {
    return versionOf(names() + QStringLiteral("/Leden.") + QLatin1String(ext), [](int n) { return listVersion(n, "lid"); });
  }
  int groupVersion(const char* ext) const {
    return versionOf(group() + QLatin1Char('.') + QLatin1String(ext), [ext](int n) { return listVersion(n, ext); });
  }
};

// The saving process: this test program again, running only the child below.
TEST(KilledSave, Child) {
  const QString folder = qEnvironmentVariable(kChildFolder);
  if (folder.isEmpty()) GTEST_SKIP() << "runs only as the process the other test kills";
  const Files files{folder};
  int n = std::max({files.eventVersion(), files.namesVersion("txt"), files.groupVersion("mail")});
  std::puts("saving");
  std::fflush(stdout);
  for (;;) {
    ++n;
    eventVersion(n).save(files.event());
    writeNameList(files.names(), QStringLiteral("Leden"), listVersion(n, "lid"));
    writeGroup(files.group() + QStringLiteral(".txt"), listVersion(n, "txt"), listVersion(n, "mail"));
  }
}

TEST(KilledSave, EveryFileIsOldOrNewAndWhole) {
  QTemporaryDir dir;
  const Files files{dir.path()};
  for (const char* sub : {"/invoer", "/namen", "/groepen"}) ASSERT_TRUE(QDir().mkpath(dir.path() + QLatin1String(sub)));

  QElapsedTimer clock;
  clock.start();
  int kills = 0;
  while (kills < 300 && clock.elapsed() < 60'000) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(kChildFolder), dir.path());
    env.remove(QStringLiteral("LD_PRELOAD"));  // no faults: only the kill
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=KilledSave.Child")});
    ASSERT_TRUE(child.waitForReadyRead(10'000));
    // Anywhere in the first few saves, also in a slow (sanitized) build.
    QThread::usleep(QRandomGenerator::global()->bounded(100'000));
    child.kill();
    ASSERT_TRUE(child.waitForFinished(10'000));
    ++kills;

    EXPECT_GE(files.eventVersion(), 0) << "after kill " << kills;
    const int names = files.namesVersion("txt"), namesMail = files.namesVersion("mail");
    const int group = files.groupVersion("txt"), groupMail = files.groupVersion("mail");
    ASSERT_GE(std::min({names, namesMail, group, groupMail}), 0) << "a half-written file after kill " << kills;
    ASSERT_GE(namesMail, names) << "a name list newer than its addresses after kill " << kills;
    ASSERT_GE(groupMail, group) << "a group newer than its addresses after kill " << kills;
  }
  EXPECT_GE(kills, 100);
  EXPECT_GT(std::max({files.eventVersion(), files.namesVersion("txt"), files.groupVersion("txt")}), 10)
      << "the saves went on between the kills";

  // What the kills left behind goes at the next start, once it is an hour old; the files stay.
  const auto leftovers = [&] {
    int count = 0;
    for (const char* sub : {"/invoer", "/namen", "/groepen"})
      count += QDir(dir.path() + QLatin1String(sub)).entryList(QDir::Files).filter(QRegularExpression(QStringLiteral("\\.txt\\.|\\.mail\\."))).size();
    return count;
  };
  const int before = leftovers();
  for (const char* sub : {"/invoer", "/namen", "/groepen"})
    removeStaleSaveFiles(dir.path() + QLatin1String(sub), QDateTime::currentDateTime().addSecs(2 * 3600));
  EXPECT_EQ(leftovers(), 0) << before << " left behind";
  EXPECT_GE(files.eventVersion(), 0);
  EXPECT_GT(files.namesVersion("txt"), 0);
}

}  // namespace
