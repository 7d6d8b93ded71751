// Where the content tests find the files the build placed next to the pack and the level sources.
#pragma once

#include <string>

namespace contenttest {

// $ZX_BIN_DIR/name, a file the build placed next to the pack.
std::string binFile(const std::string& name);
// $ZX_SOURCE_DIR/resources/levels/Level<n>.txt, a level's source.
std::string levelSource(int level);

} // namespace contenttest
