#include "app/paths.h"

#include "app/texts.h"

namespace mervalo {

QString folderName(DataFolder folder) {
  switch (folder) {
    case DataFolder::Names: return QStringLiteral("namen");
    case DataFolder::Groups: return QStringLiteral("groepen");
    case DataFolder::Events: return QStringLiteral("invoer");
    case DataFolder::Pages: return QStringLiteral("HTML");
  }
  return {};
}

QString schemaFolderName(int language) { return QStringLiteral("schema/") + QString::number(language); }

QString folderPath(const QString& programFolder, DataFolder folder) {
  return programFolder + QLatin1Char('/') + folderName(folder);
}

QString filePath(const QString& programFolder, DataFolder folder, const QString& fileName) {
  return programFolder + QLatin1Char('/') + relativeFilePath(folder, fileName);
}

QString schemaFolderPath(const QString& programFolder, int language) {
  return programFolder + QLatin1Char('/') + schemaFolderName(language);
}

QString relativeFilePath(DataFolder folder, const QString& fileName) {
  return folderName(folder) + QLatin1Char('/') + fileName;
}

QString relativeSchemaFilePath(int language, const QString& fileName) {
  return schemaFolderName(language) + QLatin1Char('/') + fileName;
}

QStringList dataFolderPaths(const QString& programFolder) {
  return {folderPath(programFolder, DataFolder::Names), folderPath(programFolder, DataFolder::Groups),
          schemaFolderPath(programFolder, kDutch), schemaFolderPath(programFolder, kEnglish),
          folderPath(programFolder, DataFolder::Events)};
}

}  // namespace mervalo
