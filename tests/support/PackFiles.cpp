// PackFiles: packs for tests made from the built one or from files given.
#include "tests/support/PackFiles.h"

#include "pack/PackerReader.h"
#include "tests/support/GameHarness.h"

#include <algorithm>

namespace zxtest {

std::vector<PackFile> builtPackFiles() {
    std::vector<PackFile> files;
    PackerReader reader;
    if (!reader.open(builtPackPath().c_str())) {
        return files;
    }
    for (std::uint32_t i = 0; i < reader.getEntryCount(); ++i) {
        const std::string name = reader.getRecord(i)->name;
        PackEntry* entry = reader.getEntry(name.c_str());
        if (entry == nullptr) {
            return {};
        }
        files.push_back(PackFile{name, {entry->data, entry->data + entry->size}});
        entry->freeData();
    }
    return files;
}

std::vector<PackFile> without(const std::vector<PackFile>& files, const std::string& name) {
    std::vector<PackFile> kept = files;
    std::erase_if(kept, [&](const PackFile& file) { return file.name == name; });
    return kept;
}

std::vector<std::uint8_t>* bytesOf(std::vector<PackFile>& files, const std::string& name) {
    auto found = std::find_if(files.begin(), files.end(),
                              [&](const PackFile& file) { return file.name == name; });
    return found != files.end() ? &found->bytes : nullptr;
}

std::string writePackIn(const TempDir& dir, const std::vector<PackFile>& files) {
    const std::string path = dir.file("data.zxp");
    return writePack(path, files) ? path : std::string();
}

} // namespace zxtest
