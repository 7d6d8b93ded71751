// DataPlaces on Windows: the executable's path from its module, the player's data folder, which
// also holds the settings, in the local application data folder (the known-folder function,
// wide, so that any user name works), as UTF-8, the code page that the program's manifest gives
// the file functions.
#include "app/platform/DataPaths.h"

#include "app/platform/TextCodec.h"

#include <windows.h>

#include <shlobj.h>

namespace {

// UTF-8 text as UTF-16.
std::wstring utf8ToWide(const std::string& text) {
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

// Whether a file can be made in folder (UTF-8): one is made and goes again when closed. A folder
// that the player may only read (C:\Program Files without elevation) refuses it, whatever its
// read-only attribute says.
bool canMakeFiles(const std::string& folder) {
    const std::wstring probe =
        utf8ToWide(folder) + L"\\.zembrix-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

// The local application data folder (%LOCALAPPDATA%), or "" when Windows does not tell.
std::string localAppData() {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &path))) {
        folder = wideToUtf8(path);
    }
    CoTaskMemFree(path);
    return folder;
}

} // namespace

DataPlaces currentDataPlaces(const char* dataFromExecutable, const char* installedData) {
    DataPlaces places;
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        places.executable = wideToUtf8(path);
    }
    places.workDirWritable = canMakeFiles(places.workDir);
    places.dataFromExecutable = dataFromExecutable;
    places.installedData = installedData;
    // Without that folder the scores stay beside the pack and the settings are not kept: Windows
    // has no home folder convention to fall back on.
    places.dataHome = localAppData();
    places.configHome = places.dataHome;
    return places;
}
