// libFuzzer target: the level-set reader on arbitrary bytes; a set it takes must keep to its
// limits and read back the same from its canonical text.
#include "game/LevelFile.h"
#include "game/LevelSet.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    LevelSet set;
    LevelSetError error;
    if (!parseLevelSet(std::string_view(reinterpret_cast<const char*>(bytes), size), set, error)) {
        return 0;
    }
    if (set.title.empty() || set.levels.empty() || set.levels.size() > kLevelSetMaxLevels) {
        std::abort();
    }
    for (const auto& level : set.levels) {
        if (level.empty()) {
            std::abort();
        }
        for (const StoneRecord& stone : level) {
            if (!insideField(stone)) {
                std::abort();
            }
        }
    }
    LevelSet again;
    if (!parseLevelSet(formatLevelSet(set), again, error) || again.title != set.title ||
        again.author != set.author || again.levels.size() != set.levels.size()) {
        std::abort();
    }
    for (size_t i = 0; i < set.levels.size(); ++i) {
        if (encodeLevel(again.levels[i]) != encodeLevel(set.levels[i])) {
            std::abort();
        }
    }
    return 0;
}
