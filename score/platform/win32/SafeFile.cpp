// SafeFile on Windows: the crash-safe replacement of a file through a temporary file beside it,
// flushed to the disk and moved over the old one.
#include "score/platform/SafeFile.h"

#include <windows.h>

#include <string>

namespace {

// Writes all size bytes of data to the new file at path and flushes them to the disk.
bool writeNewFile(const std::string& path, const void* data, std::size_t size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok = size <= MAXDWORD &&
                    WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) &&
                    written == size && FlushFileBuffers(file);
    return CloseHandle(file) && ok;
}

} // namespace

bool writeFileSafely(const char* path, const void* data, std::size_t size) {
    // A read-only file is left as it is, as opening it for writing would fail; so is anything
    // that is not a plain file (a folder, a device).
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes &
         (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return false;
    }
    const std::string temporary = std::string(path) + ".new";
    if (!writeNewFile(temporary, data, size)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    if (!MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}
