// Where the content tests find the files the build placed next to the pack and the levels' source.
#pragma once

#include <string>

namespace contenttest {

// $ZX_BIN_DIR/name, a file the build placed next to the pack.
std::string binFile(const std::string& name);
// $ZX_SOURCE_DIR/resources/levels/zembrix.zxl, the built-in level set's source.
std::string builtInSetSource();

} // namespace contenttest
