// DataPaths: the choice of the data pack and the score file between the working directory, the
// installed data and the player's data folder.
#include "app/platform/DataPaths.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* kPackName = "data.zxp";
constexpr const char* kScoreName = "scoreboard.zxs";

// True when path names an existing regular file (links followed).
bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The installed packs, in the order they are tried.
std::vector<fs::path> installedPacks(const DataPlaces& places) {
    std::vector<fs::path> packs;
    if (!places.executable.empty() && !places.dataFromExecutable.empty()) {
        const fs::path folder = fs::path(places.executable).parent_path();
        packs.push_back((folder / places.dataFromExecutable / kPackName).lexically_normal());
    }
    if (!places.installedData.empty()) {
        packs.push_back((fs::path(places.installedData) / kPackName).lexically_normal());
    }
    return packs;
}

// The game's folder in one of the player's XDG folders: xdgHome/zembrix when that variable is
// absolute, else home/byDefault/zembrix; "" when neither is known.
fs::path gameFolder(const std::string& xdgHome, const DataPlaces& places, const char* byDefault) {
    if (fs::path(xdgHome).is_absolute()) {
        return fs::path(xdgHome) / "zembrix";
    }
    if (!places.home.empty()) {
        return fs::path(places.home) / byDefault / "zembrix";
    }
    return {};
}

// The player's data folder for the game.
std::string playerFolder(const DataPlaces& places) {
    return gameFolder(places.dataHome, places, ".local/share").string();
}

} // namespace

DataPaths chooseDataPaths(const DataPlaces& places) {
    const DataPaths beside{kPackName, kScoreName, "", ""};
    const std::string folder = playerFolder(places);
    const std::string playerScores = (fs::path(folder) / kScoreName).string();
    if (isFile(fs::path(places.workDir) / kPackName)) {
        if (places.workDirWritable || folder.empty()) {
            return beside;
        }
        return {kPackName, playerScores, folder, kScoreName};
    }
    for (const fs::path& pack : installedPacks(places)) {
        if (isFile(pack)) {
            if (folder.empty()) {
                return {pack.string(), kScoreName, "", ""};
            }
            return {pack.string(), playerScores, folder, ""};
        }
    }
    return beside;
}

std::string chooseSettingsPath(const DataPlaces& places) {
    const fs::path folder = gameFolder(places.configHome, places, ".config");
    return folder.empty() ? "" : (folder / "settings.ini").string();
}

std::string choosePictureCache(const DataPlaces& places) {
    const fs::path folder = gameFolder(places.cacheHome, places, ".cache");
    return folder.empty() ? "" : (folder / "pictures").string();
}

bool carryOverScores(const DataPaths& paths) {
    std::error_code error;
    if (paths.carriedScores.empty() || fs::exists(paths.scores, error) ||
        !isFile(paths.carriedScores)) {
        return true;
    }
    return fs::copy_file(paths.carriedScores, paths.scores, error);
}

bool makeFolders(const std::string& folder) {
    std::error_code error;
    if (fs::is_directory(folder, error)) {
        return true;
    }
    const fs::path parent = fs::path(folder).parent_path();
    if (!parent.empty() && parent != folder && !makeFolders(parent.string())) {
        return false;
    }
    if (!fs::create_directory(folder, error)) {
        return fs::is_directory(folder, error);
    }
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
    return true;
}
