// Where the content tests find the built pack and the level sources, and a scratch folder.
#include "ContentPaths.h"

#include <cstdlib>
#include <filesystem>
#include <stdlib.h>

namespace contenttest {

namespace {

std::string envOr(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value ? value : fallback;
}

} // namespace

std::string packPath() {
    return binFile("data.zxp");
}

std::string binFile(const std::string& name) {
    return envOr("ZX_BIN_DIR", ".") + "/" + name;
}

std::string levelSource(int level) {
    return envOr("ZX_SOURCE_DIR", ".") + "/resources/levels/Level" + std::to_string(level) + ".txt";
}

ScratchDir::ScratchDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zembrix-content-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
        dir_ = pattern;
    }
}

ScratchDir::~ScratchDir() {
    if (!dir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
}

} // namespace contenttest
