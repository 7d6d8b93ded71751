// TempDir: a fresh temporary folder for a test or benchmark, removed with its contents at the end.
#pragma once

#include <string>

namespace zxtest {

class TempDir {
  public:
    // Makes the folder; path() is empty when it could not be made.
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return dir; }
    std::string file(const std::string& name) const { return dir + "/" + name; }

  private:
    std::string dir;
};

} // namespace zxtest
