// SetChooser: the player's sets found for the menu, the line that shows the chosen one, and the
// score table that goes with it.
#include "rooms/SetChooser.h"

#include "app/Globals.h"
#include "app/Language.h"
#include "app/platform/PadEvent.h"
#include "app/platform/TextCodec.h"
#include "game/SetInPlay.h"
#include "gfx/Font.h"
#include "pack/PackerReader.h"
#include "score/ScoreTable.h"

#include <windows.h>

#include <cstdio>
#include <set>

namespace {

// The line's middle, height and colours.
constexpr std::int32_t kLineTop = 520;
constexpr std::int32_t kLineHeight = 26;
constexpr std::int32_t kRefusedTop = 556;
constexpr D3DCOLOR kLineColour = 0xFF000000;
constexpr D3DCOLOR kOutlineColour = 0xFFFFFFFF;
constexpr D3DCOLOR kRefusedColour = 0xFFB00020;

std::string offeredFile;
// The refused files already told on standard error, so that each is told once.
std::set<std::string> toldRefusals;

// The file's name without its folder.
std::string baseName(const std::string& file) {
    return file.substr(file.find_last_of("/\\") + 1);
}

} // namespace

void offerSetFile(const std::string& file) {
    offeredFile = file;
}

std::string scoreFileOfSetInPlay(const std::string& builtInFile) {
    const std::string& set = setInPlay().file;
    const std::size_t slash = builtInFile.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "" : builtInFile.substr(0, slash + 1);
    if (set.empty()) {
        return builtInFile;
    }
    std::string name = baseName(set);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".zxl") == 0) {
        name.resize(name.size() - 4);
    }
    return folder + "scoreboard-" + name + ".zxs";
}

void useScoreTableOfSetInPlay() {
    if (ScoreTable* table = getScoreTable()) {
        const std::string file = scoreFileOfSetInPlay(table->getFirstFile());
        if (file != table->getFile()) {
            table->useFile(file);
        }
    }
}

SetChooser::~SetChooser() {
    delete font;
    font = nullptr;
}

void SetChooser::create() {
    sets.assign(1, FoundSet{});
    sets[0].valid = true;
    refused.clear();
    std::vector<FoundSet> found = findLevelSets(levelsFolder());
    if (!offeredFile.empty()) {
        found.insert(found.begin(), readLevelSetFile(offeredFile));
    }
    std::set<std::uint64_t> seen;
    for (FoundSet& set : found) {
        if (!set.valid) {
            if (toldRefusals.insert(set.file).second) {
                std::fprintf(stderr, "zembrix: level set refused: %s\n",
                             describeRefusal(set).c_str());
            }
            refused.push_back(std::move(set));
        } else if (seen.insert(set.hash).second) {
            sets.push_back(std::move(set)); // the same file twice (offered and in the folder)
        }
    }
    current = 0;
    for (std::size_t i = 1; i < sets.size(); ++i) {
        if (sets[i].hash == setInPlay().hash && !setInPlay().builtIn()) {
            current = i;
        }
    }
    if (current == 0 && !setInPlay().builtIn()) {
        choose(0); // the set played before is gone, or a test play ended
    }
    if (shown() && font == nullptr) {
        font = new Font();
        PackerReader* reader = getPackerReader();
        font->createFromPack(reader != nullptr ? reader->getEntry("IndieFlower.ttf") : nullptr,
                             "Indie Flower", kLineHeight);
    }
}

void SetChooser::handleEvent(const SDL_Event& event) {
    if (sets.size() < 2) {
        return;
    }
    int step = 0;
    if (event.type == SDL_KEYDOWN) {
        step = event.key.keysym.sym == SDLK_LEFT ? -1 : event.key.keysym.sym == SDLK_RIGHT ? 1 : 0;
    } else if (const std::optional<PadPress> press = padPressOf(event); press && press->down) {
        step = press->button == PadButton::Left ? -1 : press->button == PadButton::Right ? 1 : 0;
    } else if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT) {
        clicked = true;
    }
    if (step != 0) {
        choose((current + sets.size() + static_cast<std::size_t>(step + 1) - 1) % sets.size());
    }
}

void SetChooser::update(int x, int y) {
    if (!clicked) {
        return;
    }
    clicked = false;
    const std::int32_t width = static_cast<std::int32_t>(getScreenWidth());
    if (sets.size() > 1 && y >= kLineTop - 4 && y < kLineTop + kLineHeight + 8 && x >= 40 &&
        x < width - 40) {
        choose((current + (x < width / 2 ? sets.size() - 1 : 1)) % sets.size());
    }
}

void SetChooser::choose(std::size_t index) {
    current = index;
    if (index == 0) {
        playBuiltInSet();
    } else {
        playSet(sets[index].file, sets[index].set, sets[index].hash);
    }
    useScoreTableOfSetInPlay();
}

void SetChooser::draw() {
    if (!shown() || font == nullptr) {
        return;
    }
    const std::int32_t centre = static_cast<std::int32_t>(getScreenWidth() / 2);
    if (sets.size() > 1) {
        const FoundSet& set = sets[current];
        char line[160];
        const std::string title = current == 0 ? std::string("Zembrix") : set.set.title;
        const int levels =
            current == 0 ? kBuiltInLevelCount : static_cast<int>(set.set.levels.size());
        std::snprintf(line, sizeof line, tr(TextId::SetChooserLine), utf8ToCp1250(title).c_str(),
                      levels);
        font->draw(line, centre, kLineTop, kLineColour, DT_CENTER, 1, kOutlineColour);
    }
    // The first refused file with its line and why; the others are said on standard error.
    if (!refused.empty() && smallFont != nullptr) {
        const FoundSet& first = refused.front();
        std::string where = baseName(first.file);
        if (first.error.line > 0) {
            where += ':' + std::to_string(first.error.line);
        }
        char line[320];
        std::snprintf(line, sizeof line, tr(TextId::SetRefused), utf8ToCp1250(where).c_str(),
                      first.error.message.c_str());
        smallFont->draw(line, centre, kRefusedTop, kRefusedColour, DT_CENTER, 1, kOutlineColour);
    }
}
