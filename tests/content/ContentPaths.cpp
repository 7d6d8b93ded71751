// Where the content tests find the files the build placed next to the pack and the level sources.
#include "ContentPaths.h"

#include <cstdlib>

namespace contenttest {

namespace {

std::string envOr(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value ? value : fallback;
}

} // namespace

std::string binFile(const std::string& name) {
    return envOr("ZX_BIN_DIR", ".") + "/" + name;
}

std::string builtInSetSource() {
    return envOr("ZX_SOURCE_DIR", ".") + "/resources/levels/zembrix.zxl";
}

} // namespace contenttest
