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

// The player's data folder for the game; "" when neither an absolute $XDG_DATA_HOME nor a home
// folder is known.
std::string playerFolder(const DataPlaces& places) {
    if (fs::path(places.dataHome).is_absolute()) {
        return (fs::path(places.dataHome) / "zembrix").string();
    }
    if (!places.home.empty()) {
        return (fs::path(places.home) / ".local/share/zembrix").string();
    }
    return "";
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
    if (fs::path(places.configHome).is_absolute()) {
        return (fs::path(places.configHome) / "zembrix" / "settings.ini").string();
    }
    if (!places.home.empty()) {
        return (fs::path(places.home) / ".config" / "zembrix" / "settings.ini").string();
    }
    return "";
}

std::string choosePictureCache(const DataPlaces& places) {
    if (fs::path(places.cacheHome).is_absolute()) {
        return (fs::path(places.cacheHome) / "zembrix" / "pictures").string();
    }
    if (!places.home.empty()) {
        return (fs::path(places.home) / ".cache" / "zembrix" / "pictures").string();
    }
    return "";
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
