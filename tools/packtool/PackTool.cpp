// PackTool: the commands of the zxpack tool (create, gather, list, extract, verify).
#include "tools/packtool/PackTool.h"

#include "pack/PackEntries.h"
#include "pack/PackerReader.h"
#include "tools/FileBytes.h"
#include "tools/packtool/PackWriter.h"

#include <cstring>
#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;

const char* const kUsage = "usage: zxpack create OUT.zxp FILE|NAME=PATH...\n"
                           "       zxpack gather OUT.zxp DIR...\n"
                           "       zxpack list PACK\n"
                           "       zxpack extract PACK DIR\n"
                           "       zxpack verify PACK\n";

// Entry names are plain file names: no folders, nothing that leaves the folder on extraction.
bool isFlatName(const std::string& name) {
    return name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos;
}

// Writes files as the pack path and reports it.
int write(const std::string& path, const std::vector<PackFile>& files, FILE* out, FILE* err) {
    if (!writePack(path, files)) {
        std::fprintf(err, "zxpack: cannot write %s\n", path.c_str());
        return 1;
    }
    std::fprintf(out, "%s: %zu entries\n", path.c_str(), files.size());
    return 0;
}

int create(const std::vector<std::string>& args, FILE* out, FILE* err) {
    std::vector<PackFile> files;
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const size_t eq = arg.find('=');
        PackFile file;
        const std::string path = eq == std::string::npos ? arg : arg.substr(eq + 1);
        file.name = eq == std::string::npos ? fs::path(arg).filename().string() : arg.substr(0, eq);
        if (file.name.empty() || file.name.size() >= kPackNameSize || !isFlatName(file.name)) {
            std::fprintf(err, "zxpack: bad entry name \"%s\" (1 to 31 bytes, no folders)\n",
                         file.name.c_str());
            return 1;
        }
        for (const PackFile& earlier : files) {
            if (earlier.name == file.name) {
                std::fprintf(err, "zxpack: entry name \"%s\" given twice\n", file.name.c_str());
                return 1;
            }
        }
        if (!readFileBytes(path, file.bytes)) {
            std::fprintf(err, "zxpack: cannot read %s\n", path.c_str());
            return 1;
        }
        files.push_back(std::move(file));
    }
    return write(args[1], files, out, err);
}

// The game's entries in their pack order, each from the first folder (args[2] on) that holds a
// file of its name; a name no folder holds stops it before anything is written.
int gather(const std::vector<std::string>& args, FILE* out, FILE* err) {
    std::vector<PackFile> files;
    for (const char* name : kGameEntries) {
        auto dir = args.begin() + 2;
        std::error_code ec;
        while (dir != args.end() && !fs::is_regular_file(fs::path(*dir) / name, ec))
            ++dir;
        if (dir == args.end()) {
            std::fprintf(err, "zxpack: entry \"%s\" is in none of the folders\n", name);
            return 1;
        }
        PackFile file{name, {}};
        const std::string path = (fs::path(*dir) / name).string();
        if (!readFileBytes(path, file.bytes)) {
            std::fprintf(err, "zxpack: cannot read %s\n", path.c_str());
            return 1;
        }
        files.push_back(std::move(file));
    }
    return write(args[1], files, out, err);
}

// Opens a pack with the game's reader, reporting a failure to err.
bool openPack(PackerReader& reader, const std::string& path, FILE* err) {
    if (reader.open(path.c_str()))
        return true;
    std::fprintf(err, "zxpack: %s is missing or not a valid pack\n", path.c_str());
    return false;
}

int list(const std::string& path, FILE* out, FILE* err) {
    PackerReader reader;
    if (!openPack(reader, path, err))
        return 1;
    for (uint32_t k = 0; k < reader.getEntryCount(); ++k) {
        const PackEntry* entry = reader.getRecord(k);
        std::fprintf(out, "%u\t%u\t%u\t%s\n", entry->index, entry->size, entry->offset,
                     entry->name);
    }
    return 0;
}

int extract(const std::string& path, const std::string& dir, FILE* err) {
    PackerReader reader;
    if (!openPack(reader, path, err))
        return 1;
    std::error_code ec;
    fs::create_directories(dir, ec);
    for (uint32_t k = 0; k < reader.getEntryCount(); ++k) {
        const std::string name = reader.getRecord(k)->name;
        if (!isFlatName(name) || name.empty()) {
            std::fprintf(err, "zxpack: refusing entry name \"%s\"\n", name.c_str());
            return 1;
        }
        PackEntry* entry = reader.getEntry(name.c_str());
        const std::string target = (fs::path(dir) / name).string();
        const bool ok = entry && writeFileBytes(target, entry->data, entry->size);
        if (entry)
            entry->freeData();
        if (!ok) {
            std::fprintf(err, "zxpack: cannot extract %s to %s\n", name.c_str(), target.c_str());
            return 1;
        }
    }
    return 0;
}

// Loads every entry by name as the game does; a name served by another record (a duplicate
// or an index pointing elsewhere) means that record's bytes are unreachable.
int verify(const std::string& path, FILE* out, FILE* err) {
    PackerReader reader;
    if (!openPack(reader, path, err))
        return 1;
    uint64_t total = 0;
    for (uint32_t k = 0; k < reader.getEntryCount(); ++k) {
        const PackEntry* record = reader.getRecord(k);
        PackEntry* entry = reader.getEntry(record->name);
        if (!entry || entry != record) {
            std::fprintf(err, "zxpack: entry %u \"%s\" cannot be served\n", k, record->name);
            return 1;
        }
        total += entry->size;
        entry->freeData();
    }
    std::fprintf(out, "%s: %u entries, %llu data bytes, OK\n", path.c_str(), reader.getEntryCount(),
                 static_cast<unsigned long long>(total));
    return 0;
}

} // namespace

int runPackTool(const std::vector<std::string>& args, FILE* out, FILE* err) {
    const std::string command = args.empty() ? "" : args[0];
    if (command == "create" && args.size() >= 2)
        return create(args, out, err);
    if (command == "gather" && args.size() >= 3)
        return gather(args, out, err);
    if (command == "list" && args.size() == 2)
        return list(args[1], out, err);
    if (command == "extract" && args.size() == 3)
        return extract(args[1], args[2], err);
    if (command == "verify" && args.size() == 2)
        return verify(args[1], out, err);
    std::fputs(kUsage, err);
    return 2;
}
