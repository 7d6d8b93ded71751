// EditorDocument: the editing of a level set, with whole states kept for undo.
#include "rooms/EditorDocument.h"

#include "game/LevelFile.h"

#include <algorithm>
#include <utility>

namespace {

// Undo reaches this many changes back; older ones are forgotten.
constexpr std::size_t kHistoryDepth = 500;

bool inReadingOrder(const StoneRecord& a, const StoneRecord& b) {
    return a.y != b.y ? a.y < b.y : a.x < b.x;
}

bool covers(const StoneRecord& stone, float x, float y) {
    return x >= stone.x && x < stone.x + kStoneW && y >= stone.y && y < stone.y + kStoneH;
}

bool insideGrid(int column, int row) {
    return column >= 0 && column < kGridColumns && row >= 0 && row < kGridRows;
}

} // namespace

EditorDocument::EditorDocument(std::string title) {
    state.set.title = std::move(title);
    state.set.levels.emplace_back();
}

void EditorDocument::load(LevelSet set) {
    if (set.levels.empty()) {
        set.levels.emplace_back();
    }
    state = State{std::move(set), 0, ++nextRevision};
    done.clear();
    undone.clear();
    savedRevision = state.revision;
}

StoneRecord EditorDocument::cellStone(std::int32_t kind, int column, int row) {
    return {kind, kGridLeft + kGridStep * static_cast<float>(column),
            kGridTop + kGridStep * static_cast<float>(row)};
}

void EditorDocument::remember() {
    if (inStroke && strokeRemembered) {
        return;
    }
    strokeRemembered = inStroke;
    done.push_back(state);
    if (done.size() > kHistoryDepth) {
        done.erase(done.begin());
    }
    undone.clear();
    state.revision = ++nextRevision;
}

void EditorDocument::beginStroke() {
    inStroke = true;
    strokeRemembered = false;
}

void EditorDocument::endStroke() {
    inStroke = false;
    strokeRemembered = false;
}

void EditorDocument::insertInOrder(std::vector<StoneRecord>& stones, const StoneRecord& stone) {
    stones.insert(std::upper_bound(stones.begin(), stones.end(), stone, inReadingOrder), stone);
}

bool EditorDocument::place(std::int32_t kind, int column, int row) {
    if (!insideGrid(column, row)) {
        return false;
    }
    const StoneRecord stone = cellStone(kind, column, row);
    const std::vector<StoneRecord>& stones = current();
    const bool same = std::any_of(stones.begin(), stones.end(), [&](const StoneRecord& s) {
        return s.kind == stone.kind && s.x == stone.x && s.y == stone.y;
    });
    if (same) {
        return false;
    }
    remember();
    std::vector<StoneRecord>& level = current();
    std::erase_if(level, [&](const StoneRecord& s) { return overlaps(s, stone); });
    insertInOrder(level, stone);
    return true;
}

bool EditorDocument::eraseCell(int column, int row) {
    if (!insideGrid(column, row)) {
        return false;
    }
    const StoneRecord cell = cellStone(0, column, row);
    const std::vector<StoneRecord>& stones = current();
    if (std::none_of(stones.begin(), stones.end(),
                     [&](const StoneRecord& s) { return overlaps(s, cell); })) {
        return false;
    }
    remember();
    std::erase_if(current(), [&](const StoneRecord& s) { return overlaps(s, cell); });
    return true;
}

bool EditorDocument::eraseAt(float x, float y) {
    const std::vector<StoneRecord>& stones = current();
    const auto hit = std::find_if(stones.begin(), stones.end(),
                                  [&](const StoneRecord& s) { return covers(s, x, y); });
    if (hit == stones.end()) {
        return false;
    }
    const std::size_t index = static_cast<std::size_t>(hit - stones.begin());
    remember();
    current().erase(current().begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool EditorDocument::addLevel() {
    if (state.set.levels.size() >= kLevelSetMaxLevels) {
        return false;
    }
    remember();
    state.set.levels.emplace(state.set.levels.begin() + state.level + 1);
    state.level += 1;
    return true;
}

bool EditorDocument::removeLevel() {
    if (state.set.levels.size() <= 1) {
        return false;
    }
    remember();
    state.set.levels.erase(state.set.levels.begin() + state.level);
    state.level = std::min(state.level, levelCount() - 1);
    return true;
}

bool EditorDocument::moveLevel(int by) {
    const int target = state.level + by;
    if (by == 0 || target < 0 || target >= levelCount()) {
        return false;
    }
    remember();
    std::swap(state.set.levels[state.level], state.set.levels[target]);
    state.level = target;
    return true;
}

bool EditorDocument::goToLevel(int level) {
    if (level < 0 || level >= levelCount() || level == state.level) {
        return false;
    }
    state.level = level;
    return true;
}

bool EditorDocument::setText(std::string LevelSet::*text, const std::string& value) {
    if (value == state.set.*text) {
        return false;
    }
    remember();
    state.set.*text = value;
    return true;
}

bool EditorDocument::setTitle(const std::string& title) {
    return setText(&LevelSet::title, title);
}

bool EditorDocument::setAuthor(const std::string& author) {
    return setText(&LevelSet::author, author);
}

void EditorDocument::replaceSet(LevelSet set) {
    if (set.levels.empty()) {
        set.levels.emplace_back();
    }
    remember();
    state.set = std::move(set);
    state.level = 0;
}

bool EditorDocument::undo() {
    if (done.empty()) {
        return false;
    }
    undone.push_back(std::move(state));
    state = std::move(done.back());
    done.pop_back();
    return true;
}

bool EditorDocument::redo() {
    if (undone.empty()) {
        return false;
    }
    done.push_back(std::move(state));
    state = std::move(undone.back());
    undone.pop_back();
    return true;
}

SaveRefusal EditorDocument::saveRefusal() const {
    if (state.set.title.empty()) {
        return {SaveRefusal::NoTitle, -1};
    }
    for (int i = 0; i < levelCount(); ++i) {
        if (state.set.levels[i].empty()) {
            return {SaveRefusal::EmptyLevel, i};
        }
    }
    return {};
}
