#pragma once

#include <QString>
#include <QStringList>

namespace mervalo {

// The folders of the program folder and the files in them. This is the one place that spells
// their names; everybody else asks here.
enum class DataFolder {
  Names,   // name lists and their mail companions
  Groups,  // group files and their mail companions
  Events,  // event files and what belongs to an event (hand records, table codes)
  Pages,   // the results pages
};

// The folder's name inside the program folder ("groepen").
QString folderName(DataFolder folder);
// The schema folder of a language inside the program folder ("schema/10").
QString schemaFolderName(int language);

// programFolder + "/" + the folder, and a file in it ("<pf>/groepen/Dinsdag.txt").
QString folderPath(const QString& programFolder, DataFolder folder);
QString filePath(const QString& programFolder, DataFolder folder, const QString& fileName);
QString schemaFolderPath(const QString& programFolder, int language);

// A file as a message names it, relative to the program folder ("invoer/Dinsdag Uitslag.txt").
QString relativeFilePath(DataFolder folder, const QString& fileName);
QString relativeSchemaFilePath(int language, const QString& fileName);

// The folders start-up makes when they are missing, in the order it makes them.
QStringList dataFolderPaths(const QString& programFolder);

}  // namespace mervalo
