// LevelSetFile: reading set files and listing a folder's sets.
#include "game/LevelSetFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

// The path of a UTF-8 name, whatever the system's narrow code page.
std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

} // namespace

FoundSet readLevelSetFile(const std::string& path) {
    FoundSet found;
    found.file = path;
    FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) {
        found.error = {0, "the file cannot be read"};
        return found;
    }
    // One byte past the limit is enough to know the file is too large.
    std::string bytes(kLevelSetMaxBytes + 1, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in));
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed) {
        found.error = {0, "the file cannot be read"};
        return found;
    }
    found.valid = parseLevelSet(bytes, found.set, found.error);
    found.hash = levelSetHash(bytes);
    return found;
}

std::vector<FoundSet> findLevelSets(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator(pathOf(folder), error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (it->path().extension() == ".zxl" && !it->is_directory(error)) {
            files.push_back(utf8Of(it->path()));
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<FoundSet> sets;
    for (const std::string& file : files) {
        sets.push_back(readLevelSetFile(file));
    }
    return sets;
}

std::string describeRefusal(const FoundSet& found) {
    std::string text = found.file;
    if (found.error.line > 0) {
        text += ':';
        text += std::to_string(found.error.line);
    }
    text += ": ";
    text += found.error.message;
    return text;
}
