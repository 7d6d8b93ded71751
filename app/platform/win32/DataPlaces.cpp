// DataPlaces on Windows: the executable's path from its module, the player's data folder under
// %LOCALAPPDATA%, which also holds the settings.
#include "app/platform/DataPaths.h"

#include <windows.h>

#include <cstdlib>

DataPlaces currentDataPlaces(const char* dataFromExecutable, const char* installedData) {
    DataPlaces places;
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length > 0 && length < sizeof path) {
        places.executable.assign(path, length);
    }
    places.dataFromExecutable = dataFromExecutable;
    places.installedData = installedData;
    // Without %LOCALAPPDATA% the scores stay in the working directory and the settings are not
    // kept: Windows has no home folder convention to fall back on.
    const char* localData = std::getenv("LOCALAPPDATA");
    places.dataHome = localData != nullptr ? localData : "";
    places.configHome = places.dataHome;
    return places;
}
