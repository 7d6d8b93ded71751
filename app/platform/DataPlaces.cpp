// DataPlaces on Linux: the executable from /proc, the player's folders from the environment.
#include "app/platform/DataPaths.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Whether a file can be made in folder: one is made and removed again, which no permission bit
// or read-only mount can be mistaken about.
bool canMakeFiles(const std::string& folder) {
    std::string probe = folder + "/.zembrix-XXXXXX";
    const int file = mkstemp(probe.data());
    if (file < 0) {
        return false;
    }
    close(file);
    unlink(probe.c_str());
    return true;
}

} // namespace

DataPlaces currentDataPlaces(const char* dataFromExecutable, const char* installedData) {
    DataPlaces places;
    std::error_code error;
    places.executable = std::filesystem::read_symlink("/proc/self/exe", error).string();
    places.dataFromExecutable = dataFromExecutable;
    places.installedData = installedData;
    places.workDirWritable = canMakeFiles(places.workDir);
    places.dataHome = environment("XDG_DATA_HOME");
    places.configHome = environment("XDG_CONFIG_HOME");
    places.cacheHome = environment("XDG_CACHE_HOME");
    places.home = environment("HOME");
    if (places.home.empty()) {
        const passwd* entry = getpwuid(getuid());
        if (entry != nullptr && entry->pw_dir != nullptr) {
            places.home = entry->pw_dir;
        }
    }
    return places;
}
