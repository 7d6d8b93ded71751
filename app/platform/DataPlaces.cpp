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

} // namespace

DataPlaces currentDataPlaces(const char* dataFromExecutable, const char* installedData) {
    DataPlaces places;
    std::error_code error;
    places.executable = std::filesystem::read_symlink("/proc/self/exe", error).string();
    places.dataFromExecutable = dataFromExecutable;
    places.installedData = installedData;
    places.dataHome = environment("XDG_DATA_HOME");
    places.configHome = environment("XDG_CONFIG_HOME");
    places.home = environment("HOME");
    if (places.home.empty()) {
        const passwd* entry = getpwuid(getuid());
        if (entry != nullptr && entry->pw_dir != nullptr) {
            places.home = entry->pw_dir;
        }
    }
    return places;
}
