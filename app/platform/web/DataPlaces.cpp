// DataPlaces in the browser: the page puts the pack in the working directory ("/") and mounts the
// browser's lasting storage (IndexedDB) at /store, where the scores and the settings are kept.
#include "app/platform/DataPaths.h"

#include <sys/stat.h>

namespace {

constexpr const char* kStore = "/store";

} // namespace

// The working directory holds the pack but is forgotten with the page, so it counts as not
// writable and the player's files go to the store.
// Emscripten's C library starts with a umask of 0777, which would make every new file unreadable
// (the scores at the next start); the page's files get the usual 022.
DataPlaces currentDataPlaces(const char* dataFromExecutable, const char* installedData) {
    umask(022);
    DataPlaces places;
    places.workDirWritable = false;
    places.dataFromExecutable = dataFromExecutable;
    places.installedData = installedData;
    places.dataHome = kStore;
    places.configHome = kStore;
    places.home = kStore;
    return places;
}
