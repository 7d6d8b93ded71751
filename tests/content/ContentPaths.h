// Where the content tests find the built pack and the level sources, and a scratch folder.
#pragma once

#include <string>

namespace contenttest {

// $ZX_BIN_DIR/data.zxp, the pack the build made.
std::string packPath();
// $ZX_BIN_DIR/name, a file the build placed next to the pack.
std::string binFile(const std::string& name);
// $ZX_SOURCE_DIR/resources/levels/Level<n>.txt, a level's source.
std::string levelSource(int level);

// A fresh temporary folder, removed with its contents when the object goes.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    bool ok() const { return !dir_.empty(); }
    std::string file(const std::string& name) const { return dir_ + "/" + name; }

  private:
    std::string dir_;
};

} // namespace contenttest
