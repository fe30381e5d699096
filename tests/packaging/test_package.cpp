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
  const QStringList debs = QDir(MERVALO_PACKAGE_DIR).entryList({"mervalo_*.deb"}, QDir::Files);
  return debs.size() == 1 ? MERVALO_PACKAGE_DIR "/" + debs.first() : QString();
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

struct Outcome {
  int exitCode = -1;
  QString out;
  QString err;
};

class InstalledPackage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new QTemporaryDir;
    ASSERT_FALSE(packageFile().isEmpty()) << "no package in " MERVALO_PACKAGE_DIR;
    const Outcome x = run("dpkg-deb", {"-x", packageFile(), root_->path()});
    ASSERT_EQ(x.exitCode, 0) << qPrintable(x.err);
  }
  static void TearDownTestSuite() {
    delete root_;
    root_ = nullptr;
  }
  static QString at(const QString& relative) { return root_->path() + relative; }

  // Runs a program to its end; with a home, as that user on the offscreen platform.
  static Outcome run(const QString& program, const QStringList& args, const QString& home = {}) {
    QProcess p;
    p.setProcessEnvironment(environment(home));
    p.start(program, args);
    if (!p.waitForStarted(10'000)) return {-1, {}, "could not start " + program};
    p.waitForFinished(120'000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
  }
  static QProcessEnvironment environment(const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (home.isEmpty()) return env;
    env.insert("HOME", home);
    env.remove("XDG_DATA_HOME");
    env.remove("XDG_CONFIG_HOME");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
  }

  // Starts the installed program as a user whose home is home, waits until it says which
  // folder it works in, and ends it. Returns what it said.
  static QString startInstalled(const QString& home, const QStringList& args = {}) {
    QProcess p;
    p.setProcessEnvironment(environment(home));
    p.start(at("/usr/bin/mervalo"), args);
    if (!p.waitForStarted(10'000)) return "<not started>";
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

TEST_F(InstalledPackage, HoldsTheProgramItsDataAndWhatADesktopNeedsAndPassesTheValidators) {
  for (const char* file : {"/usr/bin/mervalo", "/usr/bin/mervalo-cli", "/usr/share/mervalo/taal.txt",
                           "/usr/share/applications/org.example.Mervalo.desktop",
                           "/usr/share/metainfo/org.example.Mervalo.metainfo.xml",
                           "/usr/share/icons/hicolor/scalable/apps/mervalo.svg",
                           "/usr/share/icons/hicolor/48x48/apps/mervalo.png",
                           "/usr/share/icons/hicolor/256x256/apps/mervalo.png",
                           "/usr/share/man/man1/mervalo-cli.1.gz", "/usr/share/man/man1/mervalo.1.gz",
                           "/usr/share/doc/mervalo/copyright", "/usr/share/doc/mervalo/changelog.gz"})
    EXPECT_TRUE(QFileInfo(at(file)).isFile()) << file;
  // Both languages' movements, exactly as in the source tree.
  for (const QString language : {"10", "11"}) {
    const QDir shipped(MERVALO_SOURCE_DIR "/resources/schema/" + language);
    const QStringList expected = shipped.entryList({"*.txt"}, QDir::Files, QDir::Name);
    const QDir installed(at("/usr/share/mervalo/schema/" + language));
    EXPECT_EQ(installed.entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
  }

  if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty()) {
    const Outcome desktop = run("desktop-file-validate", {at("/usr/share/applications/org.example.Mervalo.desktop")});
    EXPECT_EQ(desktop.exitCode, 0) << qPrintable(desktop.out + desktop.err);
    const QString metainfo = at("/usr/share/metainfo/org.example.Mervalo.metainfo.xml");
    const Outcome meta = run("appstreamcli", {"validate", "--no-net", metainfo});
    EXPECT_EQ(meta.exitCode, 0) << qPrintable(meta.out + meta.err);
  }
  if (!QStandardPaths::findExecutable("lintian").isEmpty()) {
    const Outcome l = run("lintian", {"--fail-on", "error,warning", packageFile()});
    EXPECT_EQ(l.exitCode, 0) << qPrintable(l.out + l.err);
  }
}

TEST_F(InstalledPackage, TheCommandLineToolRunsFromWhereItIsInstalled) {
  // With no folder given, the mirror serves the movements the package ships.
  QTemporaryDir mirror;
  const Outcome m = run(at("/usr/bin/mervalo-cli"), {"mirror", mirror.path()});
  EXPECT_EQ(m.exitCode, 0) << qPrintable(m.err);
  EXPECT_EQ(QDir(mirror.filePath("MERVALO/Schema")).entryList(QDir::Files).size(),
            QDir(at("/usr/share/mervalo/schema/10")).entryList({"*.txt"}, QDir::Files).size());
}

TEST_F(InstalledPackage, TheFirstStartFillsTheUserDataFolderAndALaterOneKeepsHisChanges) {
  QTemporaryDir home;
  const QString data = home.path() + "/.local/share/Mervalo";
  const QString said = startInstalled(home.path());
  EXPECT_TRUE(said.contains("program folder " + data)) << qPrintable(said);
  EXPECT_EQ(read(data + "/taal.txt"), read(at("/usr/share/mervalo/taal.txt")));
  EXPECT_EQ(filesUnder(data + "/schema"), filesUnder(at("/usr/share/mervalo/schema")));

  const QString movement = data + "/schema/10/" + QDir(data + "/schema/10").entryList(QDir::Files, QDir::Name).value(0);
  {
    QFile f(movement);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("the club's own change\r\n");
  }
  const QByteArray changed = read(movement);
  const QString again = startInstalled(home.path());
  EXPECT_TRUE(again.contains("program folder " + data)) << qPrintable(again);
  EXPECT_EQ(read(movement), changed);
}

TEST_F(InstalledPackage, AFolderOnTheCommandLineIsTheProgramFolder) {
  QTemporaryDir home;
  QTemporaryDir club;
  const QString said = startInstalled(home.path(), {"--folder", club.path()});
  EXPECT_TRUE(said.contains("program folder " + club.path())) << qPrintable(said);
  EXPECT_EQ(filesUnder(club.path() + "/schema"), filesUnder(at("/usr/share/mervalo/schema")));
  EXPECT_FALSE(QFileInfo::exists(home.path() + "/.local/share/Mervalo"));
}
