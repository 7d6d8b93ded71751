// TempDir: a fresh temporary folder for a test or benchmark, removed with its contents at the end.
#include "tests/support/TempDir.h"

#include <unistd.h>

#include <filesystem>

namespace zxtest {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "zembrix-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
        dir = pattern;
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!dir.empty()) {
        fs::remove_all(dir, ignored);
    }
}

} // namespace zxtest
