// TextField: typed UTF-8 limited to what a set's title may hold and the fonts can draw.
#include "rooms/TextField.h"

#include "app/platform/TextCodec.h"
#include "game/LevelSet.h"

#include <utility>

namespace {

// The length in bytes of the UTF-8 sequence that starts with lead, or 0 for a byte that starts
// none.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        return 4;
    }
    return 0;
}

// Whether one UTF-8 character may stand in a title: printable and held by Windows-1250, which
// the conversion shows by giving something else than its '?' for an unknown character.
bool allowed(const std::string& character) {
    const unsigned char lead = static_cast<unsigned char>(character[0]);
    if (lead < 0x20 || lead == 0x7F) {
        return false;
    }
    if (character == "?") {
        return true;
    }
    const std::string converted = utf8ToCp1250(character);
    return converted.size() == 1 && converted != "?" && cp1250ToUtf8(converted) == character;
}

} // namespace

void TextField::begin(std::string text) {
    before = text;
    typed = std::move(text);
}

bool TextField::type(const char* utf8) {
    const std::string input = utf8 != nullptr ? utf8 : "";
    bool added = false;
    for (std::size_t i = 0; i < input.size();) {
        const std::size_t length = sequenceLength(static_cast<unsigned char>(input[i]));
        if (length == 0 || i + length > input.size()) {
            ++i; // a broken sequence is passed over byte by byte
            continue;
        }
        const std::string character = input.substr(i, length);
        i += length;
        if (utf8Length(typed) < kLevelSetMaxText && allowed(character)) {
            typed += character;
            added = true;
        }
    }
    return added;
}

bool TextField::eraseLast() {
    if (typed.empty()) {
        return false;
    }
    std::size_t end = typed.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(typed[end]) & 0xC0) == 0x80) {
        --end;
    }
    typed.erase(end);
    return true;
}

std::string TextField::finished() const {
    const std::size_t first = typed.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    const std::size_t last = typed.find_last_not_of(" \t");
    return typed.substr(first, last - first + 1);
}
