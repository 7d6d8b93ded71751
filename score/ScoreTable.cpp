// ScoreTable: the ten best runs, best first, kept in the file "scoreboard.zxs".
#include "score/ScoreTable.h"

#include "pack/ByteOrder.h"
#include "score/NameDialog.h"
#include "score/platform/SafeFile.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr size_t kNameSize = sizeof(ScoreRecord::name);
constexpr size_t kRecordSize = kNameSize + 4;
// On purpose the count never says more than 9: nine and ten records are both written as 9.
constexpr uint32_t kMaxCount = 9;

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
