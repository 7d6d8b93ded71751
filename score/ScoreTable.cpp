// ScoreTable: the ten best runs, best first, kept in the file "scoreboard.zxs".
#include "score/ScoreTable.h"

#include "pack/ByteOrder.h"
#include "score/NameDialog.h"
#include "score/platform/SafeFile.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

constexpr size_t kNameSize = sizeof(ScoreRecord::name);
constexpr size_t kRecordSize = kNameSize + 4;
// On purpose the count never says more than 9: nine and ten records are both written as 9.
constexpr uint32_t kMaxCount = 9;
// How many numbered copies of refused tables may pile up before one is left in its place.
constexpr int kMaxDamagedCopies = 100;

// Whether anything (a file, a folder, a link, even a dangling one) has the name path.
bool nameTaken(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

} // namespace

ScoreTable::ScoreTable(const char* path) : path(path), firstPath(path) {}

void ScoreTable::useFile(const std::string& file) {
    path = file;
    load();
}

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
    place(name, points);
    return true;
}

ScoreRecord* ScoreTable::place(const char* name, uint32_t points) {
    ScoreRecord* record = new ScoreRecord;
    std::strncpy(record->name, name, kNameSize - 1);
    record->points = points;
    for (uint32_t i = 0; i < kPlaces; ++i) {
        if (!places[i]) {
            places[i] = record;
            return record;
        }
        if (points > places[i]->points) {
            delete places[kPlaces - 1];
            for (uint32_t j = kPlaces - 1; j > i; --j)
                places[j] = places[j - 1];
            places[i] = record;
            return record;
        }
    }
    delete record;
    return nullptr;
}

bool ScoreTable::submitScore(uint32_t points) {
    NameDialog dialog;
    if (!nameAccepted)
        return false;
    char name[32] = {};
    std::memcpy(name, lastName, sizeof name - 1);
    // A run that enters the table is kept on disk at once: a game that does not end in order
    // (killed, crashed, the power gone) keeps it too.
    if (place(name, points) != nullptr)
        save();
    return true;
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
        setAside();
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

void ScoreTable::setAside() const {
    // Earlier copies stay: each refused table gets the first free name. std::rename replaces an
    // existing target on POSIX but fails on Windows, so a name is taken only when it is free.
    std::string target = path + ".damaged";
    for (int copy = 2; nameTaken(target); ++copy) {
        if (copy > kMaxDamagedCopies) {
            std::fprintf(stderr,
                         "Zembrix: the unreadable score table \"%s\" stays where it is (%d "
                         "copies kept already)\n",
                         path.c_str(), kMaxDamagedCopies);
            return;
        }
        target = path + ".damaged." + std::to_string(copy);
    }
    if (std::rename(path.c_str(), target.c_str()) != 0) {
        std::fprintf(stderr,
                     "Zembrix: the unreadable score table \"%s\" could not be moved to \"%s\"\n",
                     path.c_str(), target.c_str());
        return;
    }
    std::printf("File \"%s\" has been removed!", path.c_str());
    std::fprintf(stderr, "Zembrix: the unreadable score table was kept as \"%s\"\n",
                 target.c_str());
}

bool ScoreTable::save() const {
    const uint32_t filled = filledPlaces();
    const uint32_t count = filled < kMaxCount ? filled : kMaxCount;
    std::vector<uint8_t> bytes;
    appendU32le(bytes, count);
    for (uint32_t i = 0; i < filled; ++i) {
        bytes.insert(bytes.end(), places[i]->name, places[i]->name + kNameSize);
        appendU32le(bytes, places[i]->points);
    }
    return writeFileSafely(path.c_str(), bytes.data(), bytes.size());
}

void ScoreTable::clear() {
    for (ScoreRecord*& record : places) {
        delete record;
        record = nullptr;
    }
}
