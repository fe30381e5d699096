#pragma once

#include <QString>
#include <QStringList>

namespace mervalo {

// Where the program keeps its files (name lists, groups, events, pages, settings).
//
// A build tree or a portable copy carries its data beside the executable and keeps everything
// there. An installed program has its executable in a folder the user cannot write, with the
// shipped data under ../share/mervalo; it then works in the user's data folder, which is made
// at the first start and filled with what the program ships.
struct ProgramFolderRequest {
  QString executableFolder;  // the folder of the running executable
  QString userDataFolder;    // the user's data folder for the application
  QString explicitFolder;    // given on the command line; empty when none
};

struct ProgramFolder {
  QString folder;            // no trailing separator
  QString shippedFrom;       // where the shipped data was copied from; empty when not seeded
  QStringList copied;        // files copied in, relative to folder
  QStringList failed;        // files that could not be copied, relative to folder
};

// The folder holding the data the program ships (the language file and the movements): the
// executable's own folder when they are beside it, else ../share/mervalo next to it; empty when
// neither holds them.
QString shippedDataFolder(const QString& executableFolder);

// Whether the executable's folder is the program folder: it holds the shipped data itself and
// the user may write it.
bool runsInPlace(const QString& executableFolder);

// Picks the program folder. An explicit folder wins; then the executable's folder when the
// program runs in place; else the user's data folder. A folder other than the executable's is
// created and given every shipped file it lacks; a file already there is never overwritten.
ProgramFolder chooseProgramFolder(const ProgramFolderRequest& request);

// Copies every shipped file (the movements and the language file) that to lacks; the language file
// last, so that its presence tells a finished seeding. Each file is written under a temporary
// name and renamed, so a file is never seen half-written.
void seedFolder(const QString& from, const QString& to, ProgramFolder& report);

}  // namespace mervalo
