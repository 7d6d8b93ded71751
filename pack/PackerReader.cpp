// PackerReader: reads the data pack (data.zxp) and serves its entries by name.
#include "pack/PackerReader.h"

#include "pack/ByteOrder.h"
#include "pack/PackFormat.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <string>
#include <utility>

namespace {

static_assert(sizeof(PackEntry::name) == kPackNameSize);

// Reads exactly length bytes at position pos of file; false on a failed seek or short read.
bool readAt(FILE* file, uint64_t pos, void* out, size_t length) {
    if (std::fseek(file, static_cast<long>(pos), SEEK_SET) != 0)
        return false;
    return std::fread(out, 1, length, file) == length;
}

// Size of the open file in bytes, or -1 if it cannot be told.
long long fileSize(FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(file);
    return size < 0 ? -1 : size;
}

// Reads one 48-byte header at pos into entry. Returns null on success, otherwise why it was
// refused: it runs past fileEnd, fails to read, lacks the name's terminator or its data reaches
// past fileEnd.
const char* readHeader(FILE* file, uint64_t pos, uint64_t fileEnd, PackEntry& entry) {
    uint8_t header[kPackHeaderSize];
    if (pos + kPackHeaderSize > fileEnd)
        return "header past the end of the file";
    if (!readAt(file, pos, header, sizeof header))
        return "header cannot be read";
    if (std::memchr(header + kPackNameAt, 0, kPackNameSize) == nullptr)
        return "name without its terminator";
    entry.index = readU32le(header + kPackIndexAt);
    std::memcpy(entry.name, header + kPackNameAt, kPackNameSize);
    entry.size = readU32le(header + kPackSizeAt);
    entry.offset = readU32le(header + kPackOffsetAt);
    entry.data = nullptr;
    if (uint64_t(entry.offset) + entry.size > fileEnd)
        return "data past the end of the file";
    return nullptr;
}

// "entry <k>: <what>", the reason given for a refused entry.
std::string entryError(uint32_t k, const char* what) {
    return "entry " + std::to_string(k) + ": " + what;
}

// Reads the entry table of file (size fileEnd) into table. Returns "" for a well-formed pack,
// otherwise why it is malformed.
std::string readTable(FILE* file, uint64_t fileEnd, std::vector<PackEntry>& table) {
    if (fileEnd == 0)
        return ""; // an empty file holds no entries
    uint8_t countBytes[kPackCountSize];
    if (!readAt(file, 0, countBytes, sizeof countBytes))
        return "the entry count cannot be read";
    const uint32_t count = readU32le(countBytes);
    // Every header takes 48 bytes of the file, so a count the file cannot hold is refused
    // before anything is allocated for it.
    if (kPackCountSize + uint64_t(count) * kPackHeaderSize > fileEnd)
        return "an entry count of " + std::to_string(count) + " does not fit a file of " +
               std::to_string(fileEnd) + " bytes";
    table.reserve(count);
    uint64_t pos = kPackCountSize;
    for (uint32_t k = 0; k < count; ++k) {
        PackEntry entry;
        if (const char* why = readHeader(file, pos, fileEnd, entry))
            return entryError(k, why);
        pos = uint64_t(entry.offset) + entry.size;
        table.push_back(entry);
    }
    for (uint32_t k = 0; k < count; ++k)
        if (table[k].index >= count)
            return entryError(k, "its index designates no record");
    return "";
}

} // namespace

PackerReader::~PackerReader() {
    freeAll();
}

void PackerReader::freeAll() {
    for (PackEntry& entry : entries)
        entry.freeData();
}

bool PackerReader::open(const char* path) {
    FILE* opened = std::fopen(path, "rb");
    if (!opened) {
        error = std::string("cannot open the file: ") + std::strerror(errno);
        return false;
    }
    // Unbuffered, so that every lookup really reads the file again instead of serving bytes
    // left in the stream's buffer by an earlier read.
    std::setvbuf(opened, nullptr, _IONBF, 0);
    std::vector<PackEntry> table;
    const long long size = fileSize(opened);
    std::string why =
        size < 0 ? "the file's size cannot be told" : readTable(opened, uint64_t(size), table);
    if (!why.empty()) {
        std::fclose(opened);
        error = std::move(why);
        return false;
    }
    error.clear();
    freeAll();
    if (file)
        std::fclose(file);
    file = opened;
    entries = std::move(table);
    entryCount = static_cast<uint32_t>(entries.size());
    return true;
}

PackEntry* PackerReader::getEntry(const char* name) {
    for (uint32_t k = 0; k < entryCount; ++k) {
        if (std::strcmp(entries[k].name, name) != 0)
            continue;
        PackEntry& target = entries[entries[k].index];
        target.freeData();
        // new[] of zero bytes still gives a valid, distinct pointer: an empty entry is served
        // with an empty buffer rather than null.
        uint8_t* bytes = new (std::nothrow) uint8_t[target.size];
        if (!bytes)
            return nullptr;
        if (target.size > 0 && !readAt(file, target.offset, bytes, target.size)) {
            delete[] bytes;
            return nullptr;
        }
        target.data = bytes;
        return &target;
    }
    return nullptr;
}
