// PackWriter: writes data packs (data.zxp) in the game's pack format.
#include "tools/packtool/PackWriter.h"

#include "pack/ByteOrder.h"
#include "tools/FileBytes.h"

#include <cstring>

namespace {

// A name fits the 32-byte field with its terminator and holds no zero byte of its own.
bool isValidName(const std::string& name) {
    return !name.empty() && name.size() < kPackNameSize && name.find('\0') == std::string::npos;
}

} // namespace

bool buildPack(const std::vector<PackFile>& files, std::vector<uint8_t>& out) {
    uint64_t total = kPackCountSize;
    for (const PackFile& file : files) {
        if (!isValidName(file.name))
            return false;
        total += kPackHeaderSize + file.bytes.size();
        if (total > kPackMaxSize)
            return false;
    }
    std::vector<uint8_t> pack;
    pack.reserve(total);
    appendU32le(pack, static_cast<uint32_t>(files.size()));
    for (size_t i = 0; i < files.size(); ++i) {
        const PackFile& file = files[i];
        const uint32_t headerPos = static_cast<uint32_t>(pack.size());
        appendU32le(pack, static_cast<uint32_t>(i));
        uint8_t name[kPackNameSize] = {};
        std::memcpy(name, file.name.data(), file.name.size());
        pack.insert(pack.end(), name, name + sizeof name);
        appendU32le(pack, static_cast<uint32_t>(file.bytes.size()));
        appendU32le(pack, headerPos + kPackHeaderSize);
        appendU32le(pack, 0);
        pack.insert(pack.end(), file.bytes.begin(), file.bytes.end());
    }
    out.swap(pack);
    return true;
}

bool writePack(const std::string& path, const std::vector<PackFile>& files) {
    std::vector<uint8_t> pack;
    if (!buildPack(files, pack))
        return false;
    return writeFileBytes(path, pack.data(), pack.size());
}
