// LevelSet: the level-set file's reader, writer and hash.
#include "game/LevelSet.h"

#include "game/LevelText.h"

namespace {

// Whether text is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool validUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        std::uint32_t value = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            value = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            value = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            value = c & 0x07;
        } else {
            return false;
        }
        if (text.size() - i <= extra) {
            return false;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            value = (value << 6) | (next & 0x3F);
        }
        const std::uint32_t lowest[] = {0, 0x80, 0x800, 0x10000};
        if (value < lowest[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

// The line without its CR and surrounding blanks.
std::string_view trimmed(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
        line.remove_suffix(1);
    }
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
        line.remove_prefix(1);
    }
    return line;
}

// The word that starts a line, and the rest after its blanks.
std::string_view firstWord(std::string_view line, std::string_view& rest) {
    const std::size_t end = line.find_first_of(" \t");
    rest = end == std::string_view::npos ? std::string_view() : trimmed(line.substr(end));
    return line.substr(0, end);
}

// Reads the file line by line: the head (title, author), then level blocks handed to the
// level text reader whole, with their first line's number.
class SetParser {
  public:
    SetParser(LevelSet& set, LevelSetError& error) : set(set), error(error) {}

    bool parse(std::string_view text) {
        set = {};
        if (text.size() > kLevelSetMaxBytes) {
            return fail(0, "the file is larger than " + std::to_string(kLevelSetMaxBytes / 1024) +
                               " KiB");
        }
        if (text.substr(0, 3) == "\xEF\xBB\xBF") {
            text.remove_prefix(3);
        }
        if (!validUtf8(text)) {
            return fail(0, "the file is not UTF-8 text");
        }
        int number = 0;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            end = end == std::string_view::npos ? text.size() : end;
            const std::string_view line = text.substr(start, end - start);
            ++number;
            if (!checkCharacters(line, number) || !takeLine(line, number)) {
                return false;
            }
            start = end + 1;
        }
        if (!closeLevel()) {
            return false;
        }
        if (set.title.empty()) {
            return fail(0, "the set has no title (a line 'title TEXT')");
        }
        if (set.levels.empty()) {
            return fail(0, "the set holds no level (a line 'level' starts one)");
        }
        return true;
    }

  private:
    bool fail(int line, std::string message) {
        error = {line, std::move(message)};
        return false;
    }

    bool checkCharacters(std::string_view line, int number) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(line[i]);
            const bool lineEnd = c == '\r' && i + 1 == line.size();
            if ((c < 0x20 && c != '\t' && !lineEnd) || c == 0x7F) {
                return fail(number, "a control character (code " + std::to_string(c) + ")");
            }
        }
        return true;
    }

    bool takeLine(std::string_view line, int number) {
        const std::string_view content = trimmed(line);
        std::string_view rest;
        const std::string_view word = firstWord(content, rest);
        if (word == "level" && rest.empty()) {
            if (!closeLevel()) {
                return false;
            }
            if (set.levels.size() == kLevelSetMaxLevels) {
                return fail(number, "more than " + std::to_string(kLevelSetMaxLevels) + " levels");
            }
            inLevel = true;
            levelLine = number;
            levelText.clear();
            return true;
        }
        if (inLevel) {
            levelText.append(line).push_back('\n');
            return true;
        }
        if (content.empty() || content[0] == '#') {
            return true;
        }
        if (word == "title" || word == "author") {
            std::string& field = word == "title" ? set.title : set.author;
            if (!field.empty() || (word == "title" ? sawTitle : sawAuthor)) {
                return fail(number, "a second '" + std::string(word) + "' line");
            }
            (word == "title" ? sawTitle : sawAuthor) = true;
            if (utf8Length(rest) > kLevelSetMaxText) {
                return fail(number, "the " + std::string(word) + " is longer than " +
                                        std::to_string(kLevelSetMaxText) + " characters");
            }
            field = std::string(rest);
            return true;
        }
        return fail(number, "unknown statement '" + std::string(word) +
                                "' before the first level (title, author or level)");
    }

    // Reads the level gathered since its "level" line, if any.
    bool closeLevel() {
        if (!inLevel) {
            return true;
        }
        inLevel = false;
        std::vector<StoneRecord> stones;
        LevelError levelError;
        if (!parseLevelText(levelText, stones, levelError, levelLine + 1)) {
            const std::string which = "level " + std::to_string(set.levels.size() + 1) + ": ";
            return fail(levelError.line, which + levelError.message);
        }
        set.levels.push_back(std::move(stones));
        return true;
    }

    LevelSet& set;
    LevelSetError& error;
    bool sawTitle = false;
    bool sawAuthor = false;
    bool inLevel = false;
    int levelLine = 0;
    std::string levelText;
};

} // namespace

bool parseLevelSet(std::string_view text, LevelSet& set, LevelSetError& error) {
    return SetParser(set, error).parse(text);
}

std::string formatLevelSet(const LevelSet& set) {
    std::string out = "# Zembrix level set: a title, an author, then each level after a line\n"
                      "# 'level'. \"grid X Y\" starts rows of stones whose top row lies at y = Y;\n"
                      "# each character is a 64-pixel column from x = X, rows are 32 pixels\n"
                      "# apart: G green (100 points), O orange (50), P purple (10), '.' none.\n"
                      "# \"stone K X Y\" puts one stone of kind K at (X, Y).\n"
                      "title " +
                      set.title + "\nauthor" + (set.author.empty() ? "" : " " + set.author) + "\n";
    for (const std::vector<StoneRecord>& level : set.levels) {
        out += "\nlevel" + formatLevelBody(level);
    }
    return out;
}

std::size_t utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return count;
}

std::uint64_t levelSetHash(std::string_view bytes) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    }
    return hash;
}
