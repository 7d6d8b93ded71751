// DataPlaces in the browser: the page puts the pack in the working directory ("/") and mounts the
// browser's lasting storage (IndexedDB) at /store, where the scores and the settings are kept.
#include "app/platform/DataPaths.h"

namespace {

constexpr const char* kStore = "/store";

} // namespace

// The working directory holds the pack but is forgotten with the page, so it counts as not
// writable and the player's files go to the store.
DataPlaces currentDataPlaces(const char* dataFromExecutable, const char* installedData) {
    DataPlaces places;
    places.workDirWritable = false;
    places.dataFromExecutable = dataFromExecutable;
    places.installedData = installedData;
    places.dataHome = kStore;
    places.configHome = kStore;
    places.home = kStore;
    return places;
}
