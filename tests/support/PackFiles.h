// PackFiles: packs for tests made from the built one or from files given, with entries left out
// or replaced.
#pragma once

#include "tests/support/TempDir.h"
#include "tools/packtool/PackWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zxtest {

// The entries of the built pack, in pack order, with their bytes; none when it cannot be read.
std::vector<PackFile> builtPackFiles();
// files without the entry called name.
std::vector<PackFile> without(const std::vector<PackFile>& files, const std::string& name);
// The bytes of the entry called name in files; null when there is none.
std::vector<std::uint8_t>* bytesOf(std::vector<PackFile>& files, const std::string& name);
// Writes files as "data.zxp" into dir and returns its path; empty when it cannot be written.
std::string writePackIn(const TempDir& dir, const std::vector<PackFile>& files);

} // namespace zxtest
