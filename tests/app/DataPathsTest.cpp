// The choice of the data pack and the score file: the working directory first, then the
// installed pack with the scores in the player's data folder; and the other XDG folders.
#include "app/platform/DataPaths.h"

#include "tests/support/GameHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

void touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "pack";
}

// An installed layout under a temporary folder: <root>/usr/games/zembrix and its data folder
// <root>/usr/share/games/zembrix, a working directory and a home folder.
class DataPathsTest : public testing::Test {
  protected:
    DataPathsTest() {
        places.workDir = root.file("work");
        places.executable = root.file("usr/games/zembrix");
        places.dataFromExecutable = "../share/games/zembrix";
        places.installedData = root.file("opt/zembrix");
        places.home = root.file("home");
        fs::create_directories(places.workDir);
    }

    zxtest::TempDir root;
    DataPlaces places;
    const std::string relativePack = root.file("usr/share/games/zembrix/data.zxp");
    const std::string absolutePack = root.file("opt/zembrix/data.zxp");
};

TEST_F(DataPathsTest, APackInTheWorkingDirectoryKeepsBothFilesThere) {
    touch(places.workDir + "/data.zxp");
    touch(relativePack);
    const DataPaths paths = chooseDataPaths(places);
    EXPECT_EQ(paths.pack, "data.zxp");
    EXPECT_EQ(paths.scores, "scoreboard.zxs");
    EXPECT_EQ(paths.scoreFolder, "");
}

TEST_F(DataPathsTest, WithoutAnyPackTheWorkingDirectoryNamesStand) {
    // A folder named data.zxp is no pack.
    fs::create_directories(places.workDir + "/data.zxp");
    const DataPaths paths = chooseDataPaths(places);
    EXPECT_EQ(paths.pack, "data.zxp");
    EXPECT_EQ(paths.scores, "scoreboard.zxs");
    EXPECT_FALSE(fs::exists(root.file("home/.local")));
}

TEST_F(DataPathsTest, TheInstalledPackBesideTheExecutableComesBeforeTheAbsoluteOne) {
    touch(relativePack);
    touch(absolutePack);
    EXPECT_EQ(chooseDataPaths(places).pack, relativePack);
    fs::remove(relativePack);
    EXPECT_EQ(chooseDataPaths(places).pack, absolutePack);
    // Without a known executable only the absolute folder is tried.
    touch(relativePack);
    places.executable.clear();
    EXPECT_EQ(chooseDataPaths(places).pack, absolutePack);
}

TEST_F(DataPathsTest, InstalledScoresGoToTheXdgDataHomeOrTheHomeFolder) {
    touch(absolutePack);
    DataPaths paths = chooseDataPaths(places);
    EXPECT_EQ(paths.scoreFolder, root.file("home/.local/share/zembrix"));
    EXPECT_EQ(paths.scores, root.file("home/.local/share/zembrix/scoreboard.zxs"));
    // Only an absolute $XDG_DATA_HOME counts.
    places.dataHome = "relative/data";
    EXPECT_EQ(chooseDataPaths(places).scoreFolder, root.file("home/.local/share/zembrix"));
    places.dataHome = root.file("xdg");
    paths = chooseDataPaths(places);
    EXPECT_EQ(paths.scoreFolder, root.file("xdg/zembrix"));
    EXPECT_EQ(paths.scores, root.file("xdg/zembrix/scoreboard.zxs"));
    // The choice only looks.
    EXPECT_FALSE(fs::exists(root.file("xdg")));
    // With no data folder at all the scores stay in the working directory.
    places.dataHome.clear();
    places.home.clear();
    paths = chooseDataPaths(places);
    EXPECT_EQ(paths.scores, "scoreboard.zxs");
    EXPECT_EQ(paths.scoreFolder, "");
}

// A working directory that holds the pack but takes no file (a read-only folder) keeps the pack
// and sends the scores to the player's data folder, carrying over the table beside the pack.
TEST_F(DataPathsTest, AReadOnlyWorkingDirectorySendsTheScoresToThePlayersFolder) {
    touch(places.workDir + "/data.zxp");
    places.workDirWritable = false;
    DataPaths paths = chooseDataPaths(places);
    EXPECT_EQ(paths.pack, "data.zxp");
    EXPECT_EQ(paths.scores, root.file("home/.local/share/zembrix/scoreboard.zxs"));
    EXPECT_EQ(paths.scoreFolder, root.file("home/.local/share/zembrix"));
    EXPECT_EQ(paths.carriedScores, "scoreboard.zxs");
    // With no data folder known the scores can only stay beside the pack.
    places.home.clear();
    paths = chooseDataPaths(places);
    EXPECT_EQ(paths.scores, "scoreboard.zxs");
    EXPECT_EQ(paths.carriedScores, "");
}

TEST_F(DataPathsTest, TheCarriedTableIsCopiedOnlyWhileTheScoreFileIsMissing) {
    DataPaths paths{"data.zxp", root.file("home/scoreboard.zxs"), root.file("home"),
                    places.workDir + "/scoreboard.zxs"};
    fs::create_directories(root.file("home"));
    EXPECT_TRUE(carryOverScores(paths)); // nothing to carry
    EXPECT_FALSE(fs::exists(paths.scores));
    std::ofstream(paths.carriedScores) << "old table";
    EXPECT_TRUE(carryOverScores(paths));
    std::ifstream copied(paths.scores);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copied), {}), "old table");
    std::ofstream(paths.carriedScores) << "changed beside the pack";
    EXPECT_TRUE(carryOverScores(paths));
    std::ifstream kept(paths.scores);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "old table");
}

TEST_F(DataPathsTest, MakeFoldersCreatesThePrivateFolderAndItsParents) {
    const std::string folder = root.file("xdg/deeper/zembrix");
    ASSERT_TRUE(makeFolders(folder));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_TRUE(makeFolders(folder));
    touch(root.file("file"));
    EXPECT_FALSE(makeFolders(root.file("file/zembrix")));
}

// The settings and the kept pictures go to their XDG folders (only when the variable is absolute)
// or to the defaults under the home folder, and nowhere when neither is known.
TEST_F(DataPathsTest, SettingsAndPicturesLiveInTheirXdgFolders) {
    struct Place {
        std::string DataPlaces::*xdgHome;
        std::string (*choose)(const DataPlaces&);
        const char* byDefault;
        const char* inXdgHome;
    };
    for (const Place& place :
         {Place{&DataPlaces::configHome, chooseSettingsPath, "/home/p/.config/zembrix/settings.ini",
                "/xdg/zembrix/settings.ini"},
          Place{&DataPlaces::cacheHome, choosePictureCache, "/home/p/.cache/zembrix/pictures",
                "/xdg/zembrix/pictures"}}) {
        DataPlaces where;
        where.home = "/home/p";
        EXPECT_EQ(place.choose(where), place.byDefault);
        where.*place.xdgHome = "relative/ignored";
        EXPECT_EQ(place.choose(where), place.byDefault);
        where.*place.xdgHome = "/xdg";
        EXPECT_EQ(place.choose(where), place.inXdgHome);
        EXPECT_EQ(place.choose(DataPlaces{}), "");
    }
}

} // namespace
