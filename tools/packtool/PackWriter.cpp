// PackWriter: writes data packs (data.zxp) in the game's pack format.
#include "tools/packtool/PackWriter.h"

#include <cstdio>
#include <cstring>

namespace {

// Packs are addressed with a signed 32-bit seek, so every position must stay below 2 GiB.
constexpr uint64_t kMaxPackSize = 0x7FFFFFFFu;

void putU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

// A name fits the 32-byte field with its terminator and holds no zero byte of its own.
bool isValidName(const std::string& name) {
    return !name.empty() && name.size() <= 31 && name.find('\0') == std::string::npos;
}

} // namespace

bool buildPack(const std::vector<PackFile>& files, std::vector<uint8_t>& out) {
    uint64_t total = 4;
    for (const PackFile& file : files) {
        if (!isValidName(file.name))
            return false;
        total += kPackHeaderSize + file.bytes.size();
        if (total > kMaxPackSize)
            return false;
    }
    std::vector<uint8_t> pack;
    pack.reserve(total);
    putU32(pack, static_cast<uint32_t>(files.size()));
    for (size_t i = 0; i < files.size(); ++i) {
        const PackFile& file = files[i];
        const uint32_t headerPos = static_cast<uint32_t>(pack.size());
        putU32(pack, static_cast<uint32_t>(i));
        uint8_t name[32] = {};
        std::memcpy(name, file.name.data(), file.name.size());
        pack.insert(pack.end(), name, name + sizeof name);
        putU32(pack, static_cast<uint32_t>(file.bytes.size()));
        putU32(pack, headerPos + kPackHeaderSize);
        putU32(pack, 0);
        pack.insert(pack.end(), file.bytes.begin(), file.bytes.end());
    }
    out.swap(pack);
    return true;
}

bool writePack(const std::string& path, const std::vector<PackFile>& files) {
    std::vector<uint8_t> pack;
    if (!buildPack(files, pack))
        return false;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    bool ok = std::fwrite(pack.data(), 1, pack.size(), out) == pack.size();
    ok = std::fclose(out) == 0 && ok;
    if (!ok)
        std::remove(path.c_str());
    return ok;
}
