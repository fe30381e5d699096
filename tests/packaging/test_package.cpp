// Installs the package into a temporary root (as dpkg would unpack it) and starts the installed
// program with a fresh home, on the offscreen platform.

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qtprint.h"

namespace {

QString packageFile() {
  const QStringList debs = QDir(QStringLiteral(MERVALO_PACKAGE_DIR)).entryList({QStringLiteral("mervalo_*.deb")}, QDir::Files);
  return debs.size() == 1 ? QStringLiteral(MERVALO_PACKAGE_DIR "/") + debs.first() : QString();
}

struct Outcome {
  int exitCode = -1;
  QString out;
  QString err;
};

Outcome run(const QString& program, const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(program, args);
  Outcome r;
  if (!p.waitForStarted(10'000)) {
    r.err = QStringLiteral("could not start ") + program;
    return r;
  }
  p.waitForFinished(120'000);
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = QString::fromUtf8(p.readAllStandardOutput());
  r.err = QString::fromUtf8(p.readAllStandardError());
  return r;
}

QByteArray read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList filesUnder(const QString& folder) {
  QStringList files;
  QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) files << QDir(folder).relativeFilePath(it.next());
  files.sort();
  return files;
}

class InstalledPackage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new QTemporaryDir;
    const QString deb = packageFile();
    ASSERT_FALSE(deb.isEmpty()) << "no package in " MERVALO_PACKAGE_DIR;
    const Outcome x = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, root_->path()});
    ASSERT_EQ(x.exitCode, 0) << qPrintable(x.err);
  }
  static void TearDownTestSuite() {
    delete root_;
    root_ = nullptr;
  }
  static QString at(const QString& relative) { return root_->path() + relative; }

  // Starts the installed program as a user whose home is home, waits until it says which
  // folder it works in, and ends it. Returns what it said.
  static QString startInstalled(const QString& home, const QStringList& args = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(at(QStringLiteral("/usr/bin/mervalo")), args);
    if (!p.waitForStarted(10'000)) return QStringLiteral("<not started>");
    QByteArray said;
    const QDeadlineTimer deadline(30'000);
    while (!said.contains("program folder") && p.state() == QProcess::Running && !deadline.hasExpired()) {
      p.waitForReadyRead(1000);
      said += p.readAllStandardError();
    }
    p.terminate();
    if (!p.waitForFinished(10'000)) p.kill();
    p.waitForFinished(5000);
    return QString::fromUtf8(said);
  }

  static QTemporaryDir* root_;
};

QTemporaryDir* InstalledPackage::root_ = nullptr;

}  // namespace

TEST_F(InstalledPackage, HoldsTheProgramItsDataAndWhatADesktopNeeds) {
  for (const char* file : {"/usr/bin/mervalo", "/usr/bin/mervalo-cli", "/usr/share/mervalo/taal.txt",
                           "/usr/share/applications/org.example.Mervalo.desktop",
                           "/usr/share/metainfo/org.example.Mervalo.metainfo.xml",
                           "/usr/share/icons/hicolor/scalable/apps/mervalo.svg",
                           "/usr/share/icons/hicolor/48x48/apps/mervalo.png",
                           "/usr/share/icons/hicolor/256x256/apps/mervalo.png",
                           "/usr/share/man/man1/mervalo-cli.1.gz", "/usr/share/man/man1/mervalo.1.gz",
                           "/usr/share/doc/mervalo/copyright", "/usr/share/doc/mervalo/changelog.gz"})
    EXPECT_TRUE(QFileInfo(at(QString::fromLatin1(file))).isFile()) << file;
  // Both languages' movements, exactly as in the source tree.
  for (const char* language : {"10", "11"}) {
    const QString shipped = QStringLiteral(MERVALO_SOURCE_DIR "/resources/schema/") + QLatin1String(language);
    QStringList expected = QDir(shipped).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    EXPECT_FALSE(expected.isEmpty());
    EXPECT_EQ(QDir(at(QStringLiteral("/usr/share/mervalo/schema/") + QLatin1String(language)))
                  .entryList(QDir::Files | QDir::Hidden, QDir::Name),
              expected);
  }
}

TEST_F(InstalledPackage, ItsDesktopEntryAndMetainfoValidate) {
  if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
    GTEST_SKIP() << "desktop-file-validate is not installed";
  const Outcome desktop = run(QStringLiteral("desktop-file-validate"), {at(QStringLiteral("/usr/share/applications/org.example.Mervalo.desktop"))});
  EXPECT_EQ(desktop.exitCode, 0) << qPrintable(desktop.out + desktop.err);
  EXPECT_TRUE(desktop.out.isEmpty()) << qPrintable(desktop.out);

  const Outcome meta = run(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                                        at(QStringLiteral("/usr/share/metainfo/org.example.Mervalo.metainfo.xml"))});
  EXPECT_EQ(meta.exitCode, 0) << qPrintable(meta.out + meta.err);
}

TEST_F(InstalledPackage, LintianFindsNoError) {
  if (QStandardPaths::findExecutable(QStringLiteral("lintian")).isEmpty()) GTEST_SKIP() << "lintian is not installed";
  const Outcome l = run(QStringLiteral("lintian"), {QStringLiteral("--fail-on"), QStringLiteral("error,warning"), packageFile()});
  EXPECT_EQ(l.exitCode, 0) << qPrintable(l.out + l.err);
}

TEST_F(InstalledPackage, TheCommandLineToolRunsFromWhereItIsInstalled) {
  const Outcome v = run(at(QStringLiteral("/usr/bin/mervalo-cli")), {QStringLiteral("--version")});
  EXPECT_EQ(v.exitCode, 0) << qPrintable(v.err);
  EXPECT_TRUE(v.out.startsWith(QStringLiteral("mervalo-cli "))) << qPrintable(v.out);

  // With no folder given, the mirror serves the movements the package ships.
  QTemporaryDir mirror;
  const Outcome m = run(at(QStringLiteral("/usr/bin/mervalo-cli")), {QStringLiteral("mirror"), mirror.path()});
  EXPECT_EQ(m.exitCode, 0) << qPrintable(m.err);
  EXPECT_EQ(QDir(mirror.filePath(QStringLiteral("MERVALO/Schema"))).entryList(QDir::Files).size(),
            QDir(at(QStringLiteral("/usr/share/mervalo/schema/10"))).entryList({QStringLiteral("*.txt")}, QDir::Files).size());
}

TEST_F(InstalledPackage, TheFirstStartFillsTheUserDataFolderAndALaterOneKeepsHisChanges) {
  QTemporaryDir home;
  const QString data = home.path() + QStringLiteral("/.local/share/Mervalo");
  const QString said = startInstalled(home.path());
  EXPECT_TRUE(said.contains(QStringLiteral("program folder ") + data)) << qPrintable(said);

  EXPECT_EQ(read(data + QStringLiteral("/taal.txt")), read(at(QStringLiteral("/usr/share/mervalo/taal.txt"))));
  EXPECT_EQ(filesUnder(data + QStringLiteral("/schema")), filesUnder(at(QStringLiteral("/usr/share/mervalo/schema"))));

  const QString movement = data + QStringLiteral("/schema/10/") + QDir(data + QStringLiteral("/schema/10")).entryList(QDir::Files, QDir::Name).value(0);
  {
    QFile f(movement);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("the club's own change\r\n");
  }
  const QByteArray changed = read(movement);
  const QString again = startInstalled(home.path());
  EXPECT_TRUE(again.contains(QStringLiteral("program folder ") + data)) << qPrintable(again);
  EXPECT_EQ(read(movement), changed);
}

TEST_F(InstalledPackage, AFolderOnTheCommandLineIsTheProgramFolder) {
  QTemporaryDir home;
  QTemporaryDir club;
  const QString said = startInstalled(home.path(), {QStringLiteral("--folder"), club.path()});
  EXPECT_TRUE(said.contains(QStringLiteral("program folder ") + club.path())) << qPrintable(said);
  EXPECT_EQ(filesUnder(club.path() + QStringLiteral("/schema")), filesUnder(at(QStringLiteral("/usr/share/mervalo/schema"))));
  EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("/.local/share/Mervalo")));

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  const Outcome help = run(at(QStringLiteral("/usr/bin/mervalo")), {QStringLiteral("--help")}, env);
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.contains(QStringLiteral("--folder"))) << qPrintable(help.out);
}
