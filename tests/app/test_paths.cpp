#include <gtest/gtest.h>

#include "app/paths.h"
#include "app/texts.h"

using namespace mervalo;

// Every data folder's name is spelled here once: a wrong one would lose a club's files between
// versions, so they are pinned, and so is the order start-up makes the folders in.
TEST(Paths, EveryFolderAndFileIsSpelledAsTheProgramFolderHoldsThem) {
  const QString pf = "/club";
  EXPECT_EQ(filePath(pf, DataFolder::Names, "Leden.txt"), "/club/namen/Leden.txt");
  EXPECT_EQ(filePath(pf, DataFolder::Groups, "Dinsdag.txt"), "/club/groepen/Dinsdag.txt");
  EXPECT_EQ(folderPath(pf, DataFolder::Events), "/club/invoer");
  EXPECT_EQ(folderPath(pf, DataFolder::Pages), "/club/HTML");
  EXPECT_EQ(schemaFolderPath(pf, kEnglish), "/club/schema/11");
  EXPECT_EQ(relativeFilePath(DataFolder::Events, "Dinsdag Uitslag.txt"), "invoer/Dinsdag Uitslag.txt");
  EXPECT_EQ(relativeSchemaFilePath(kDutch, "04 Paren 03 Ronden.txt"), "schema/10/04 Paren 03 Ronden.txt");
  EXPECT_EQ(dataFolderPaths(pf),
            (QStringList{"/club/namen", "/club/groepen", "/club/schema/10", "/club/schema/11", "/club/invoer"}));
}
