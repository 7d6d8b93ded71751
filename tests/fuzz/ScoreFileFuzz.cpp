// libFuzzer target: ScoreTable loading arbitrary bytes as "scoreboard.zxs"; whatever it takes
// must save and load back unchanged.
#include "score/ScoreTable.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

std::string dir;

void removeWorkDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

// A folder of this process for the fuzzed files, in memory where possible (every save syncs),
// removed at exit.
const std::string& workDir() {
    if (dir.empty()) {
        char inMemory[] = "/dev/shm/zxfuzz.XXXXXX";
        char onDisk[] = "/tmp/zxfuzz.XXXXXX";
        if (mkdtemp(inMemory))
            dir = inMemory;
        else if (mkdtemp(onDisk))
            dir = onDisk;
        else
            std::abort();
        std::atexit(removeWorkDir);
    }
    return dir;
}

bool sameRecords(const ScoreTable& a, const ScoreTable& b) {
    for (uint32_t i = 0; i < ScoreTable::kPlaces; ++i) {
        const ScoreRecord* x = a.at(i);
        const ScoreRecord* y = b.at(i);
        if (!x || !y) {
            if (x != y)
                return false;
            continue;
        }
        if (std::strcmp(x->name, y->name) != 0 || x->points != y->points)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string path = workDir() + "/scoreboard.zxs";
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return 0;
    std::fwrite(bytes, 1, size, out);
    std::fclose(out);

    ScoreTable table(path.c_str());
    table.load();
    // A refused file is set aside as scoreboard.zxs.damaged; it goes, so that every input finds
    // the name free.
    std::error_code ec;
    std::filesystem::remove(path + ".damaged", ec);
    for (uint32_t i = 0; i < ScoreTable::kPlaces; ++i)
        if (table.at(i) && std::strlen(table.at(i)->name) > 31)
            std::abort();
    if (!table.save())
        return 0;
    ScoreTable again(path.c_str());
    again.load();
    if (!sameRecords(table, again))
        std::abort();
    table.insert("fuzz", size);
    return 0;
}
