// RunRecorder: recording runs and keeping their files.
#include "replay/RunRecorder.h"

#include "app/Globals.h"
#include "app/platform/DataPaths.h"
#include "replay/TapeEvents.h"
#include "replay/TapeFile.h"
#include "score/ScoreTable.h"
#include "score/platform/SafeFile.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kExtension = ".zxr";

// A new file's name in folder, from the local time: 20261208-094512.zxr, with -2, -3... when
// that exists.
std::string newFileName(const std::string& folder) {
    const std::time_t now = std::time(nullptr);
    char stamp[32] = "run";
    if (const std::tm* local = std::localtime(&now)) {
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", local);
    }
    std::string path = folder + "/" + stamp + kExtension;
    std::error_code error;
    for (int n = 2; fs::exists(path, error); ++n) {
        path = folder + "/" + stamp + "-" + std::to_string(n) + kExtension;
    }
    return path;
}

// Whether the score table holds a record of name with points.
bool inTable(const std::string& name, std::uint32_t points) {
    ScoreTable* table = getScoreTable();
    for (std::uint32_t place = 0; table != nullptr && place < ScoreTable::kPlaces; ++place) {
        const ScoreRecord* record = table->at(place);
        if (record != nullptr && record->points == points && name == record->name) {
            return true;
        }
    }
    return false;
}

} // namespace

RunRecorder::RunRecorder(std::string folder, std::string version)
    : folder(std::move(folder)), version(std::move(version)) {}

void RunRecorder::step(std::uint32_t current, bool nowUpdating) {
    update = current;
    updating = nowUpdating;
}

void RunRecorder::noteEvent(const SDL_Event& event, std::uint8_t age) {
    if (!active || update < first) {
        return;
    }
    if (std::optional<TapeEntry> entry = entryOfEvent(event)) {
        entry->update = index();
        entry->age = age;
        tape.entries.push_back(*entry);
    }
}

void RunRecorder::updated(const std::function<std::uint32_t()>& checksum) {
    if (active && update >= first && (index() + 1) % kCheckEvery == 0) {
        tape.checks.push_back({index(), checksum()});
    }
}

std::uint32_t RunRecorder::beginRun() {
    if (active) {
        finish(RunEnd::Left, tape.points, "");
    }
    const PlayedSet set = playedSet();
    tape = Tape{};
    tape.version = version;
    // From the clock, as the game always seeded its numbers; the ticks part runs started in the
    // same second.
    tape.seed = static_cast<std::uint32_t>(std::time(nullptr)) ^ (SDL_GetTicks() << 16);
    // A run begun during an update (from the menu) plays from the next one.
    first = updating ? update + 1 : update;
    tape.startTime = first;
    tape.setTitle = set.title;
    tape.setHash = set.hash;
    active = true;
    return tape.seed;
}

bool RunRecorder::answerLeave(const std::function<bool()>& ask) {
    const bool yes = ask();
    if (active) {
        TapeEntry entry;
        entry.update = index();
        entry.kind = TapeKind::Leave;
        entry.a = yes ? 1 : 0;
        tape.entries.push_back(entry);
    }
    return yes;
}

bool RunRecorder::answerName(std::uint32_t points, std::string& name,
                             const std::function<bool(std::string&)>& ask) {
    const bool accepted = ask(name);
    if (active) {
        TapeEntry entry;
        entry.update = index();
        entry.kind = TapeKind::Name;
        entry.a = accepted ? 1 : 0;
        entry.text = accepted ? name : "";
        tape.entries.push_back(entry);
        finish(accepted ? RunEnd::Named : RunEnd::Unnamed, points, accepted ? name : "");
    }
    return accepted;
}

void RunRecorder::leaveRun(std::uint32_t points) {
    if (active) {
        finish(RunEnd::Left, points, "");
    }
}

void RunRecorder::finish(RunEnd end, std::uint32_t points, const std::string& name) {
    active = false;
    tape.end = end;
    tape.points = points;
    tape.name = name;
    tape.updates = update >= first ? index() + 1 : 0;
    written.clear();
    if (folder.empty()) {
        return;
    }
    if (!makeFolders(folder)) {
        std::fprintf(stderr, "zembrix: cannot create %s; the run's replay is not kept\n",
                     folder.c_str());
        return;
    }
    const std::string path = newFileName(folder);
    const std::vector<std::uint8_t> bytes = encodeTape(tape);
    if (!writeFileSafely(path.c_str(), bytes.data(), bytes.size())) {
        std::fprintf(stderr, "zembrix: cannot write %s; the run's replay is not kept\n",
                     path.c_str());
        return;
    }
    written = path;
    prune();
}

void RunRecorder::prune() const {
    std::vector<std::string> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == kExtension) {
            files.push_back(entry.path().string());
        }
    }
    // The names are their times: newest last.
    std::sort(files.begin(), files.end());
    for (std::size_t i = 0; i + kKept < files.size(); ++i) {
        Tape old;
        std::string why;
        if (readTapeFile(files[i], old, why) && old.end == RunEnd::Named &&
            inTable(old.name, old.points)) {
            continue;
        }
        fs::remove(files[i], error);
    }
}
