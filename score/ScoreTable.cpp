// ScoreTable: the ten best runs, best first, kept in the file "scoreboard.zxs".
#include "score/ScoreTable.h"

#include "pack/ByteOrder.h"
#include "score/NameDialog.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t kNameSize = sizeof(ScoreRecord::name);
constexpr size_t kRecordSize = kNameSize + 4;
// The count field never says more than 9: nine and ten records are both written as 9.
constexpr uint32_t kMaxCount = 9;

void putU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

// The folder holding path ("." for a bare file name).
std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes bytes to a new temporary file beside path, flushed to the disk, and renames it over
// path. On failure the temporary file is removed and path is untouched.
bool replaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0)
        return false;
    // mkstemp makes the file private; give it the permissions a plain fopen would.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    FILE* out = fdopen(fd, "wb");
    if (!out) {
        close(fd);
        unlink(temp.c_str());
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    ok = ok && std::fflush(out) == 0 && fsync(fd) == 0;
    ok = std::fclose(out) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable; the new file is already in place if this fails.
    const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

} // namespace

ScoreTable::ScoreTable(const char* path) : path(path) {}

ScoreTable::~ScoreTable() {
    clear();
}

ScoreRecord* ScoreTable::at(uint32_t place) const {
    return place < kPlaces ? places[place] : nullptr;
}

uint32_t ScoreTable::filledPlaces() const {
    uint32_t filled = 0;
    while (filled < kPlaces && places[filled])
        ++filled;
    return filled;
}

bool ScoreTable::insert(const char* name, uint32_t points) {
    ScoreRecord* record = new ScoreRecord;
    std::strncpy(record->name, name, kNameSize - 1);
    record->points = points;
    for (uint32_t i = 0; i < kPlaces; ++i) {
        if (!places[i]) {
            places[i] = record;
            return true;
        }
        if (points > places[i]->points) {
            delete places[kPlaces - 1];
            for (uint32_t j = kPlaces - 1; j > i; --j)
                places[j] = places[j - 1];
            places[i] = record;
            return true;
        }
    }
    delete record;
    return true;
}

bool ScoreTable::submitScore(uint32_t points) {
    NameDialog dialog;
    if (!nameAccepted)
        return false;
    char name[32] = {};
    std::memcpy(name, lastName, sizeof name - 1);
    return insert(name, points);
}

void ScoreTable::load() {
    clear();
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        return;
    uint8_t countBytes[4];
    if (std::fread(countBytes, 1, sizeof countBytes, in) != sizeof countBytes) {
        std::fclose(in);
        return;
    }
    const uint32_t count = readU32le(countBytes);
    if (count == 0) {
        std::fclose(in);
        return;
    }
    if (count > kMaxCount) {
        std::fclose(in);
        std::remove(path.c_str());
        std::printf("File \"%s\" has been removed!", path.c_str());
        return;
    }
    std::printf("num = %d\n", static_cast<int>(count));
    // Count 9 stands for nine or ten records, so one more than the count is tried; the end of
    // the file stops the reading, and a record cut short is not taken.
    for (uint32_t j = 0; j <= count; ++j) {
        uint8_t bytes[kRecordSize];
        if (std::fread(bytes, 1, sizeof bytes, in) != sizeof bytes)
            break;
        ScoreRecord* record = new ScoreRecord;
        std::memcpy(record->name, bytes, kNameSize);
        // A name without its terminator is cut to 31 bytes; the bytes after a terminator are
        // kept, so that the file is written back as it was read.
        if (std::memchr(record->name, 0, kNameSize) == nullptr)
            record->name[kNameSize - 1] = 0;
        record->points = readU32le(bytes + kNameSize);
        places[j] = record;
    }
    std::fclose(in);
}

bool ScoreTable::save() const {
    const uint32_t filled = filledPlaces();
    const uint32_t count = filled < kMaxCount ? filled : kMaxCount;
    std::vector<uint8_t> bytes;
    putU32(bytes, count);
    for (uint32_t i = 0; i < filled; ++i) {
        bytes.insert(bytes.end(), places[i]->name, places[i]->name + kNameSize);
        putU32(bytes, places[i]->points);
    }
    return replaceFile(path, bytes);
}

void ScoreTable::clear() {
    for (ScoreRecord*& record : places) {
        delete record;
        record = nullptr;
    }
}
