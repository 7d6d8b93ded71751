// LevelText: the readable text form of a level (grid blocks of stone letters) and its parser.
#include "game/LevelText.h"

#include "game/StoneKinds.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

constexpr long kCoordinateLimit = 1000000; // grid positions and offsets stay far inside int
constexpr int kMaxEmptyRows = 3;           // a longer vertical gap starts a new grid block
constexpr int kMaxColumns = 24;            // a wider block is split

const char* const kHeader =
    "# Zembrix level.\n"
    "# \"grid X Y\" starts a block of rows: the first row's top lies at y = Y, each next row 32\n"
    "# pixels lower; each character is a 64-pixel column from x = X: P purple (10 points),\n"
    "# O orange (50), G green (100), '.' no stone.\n"
    "# \"stone K X Y\" puts one stone of kind K at (X, Y).\n";

// The letter of a stone kind, or 0 for a kind that has none.
char letterOf(int32_t kind) {
    return stoneLetterOfCode(kind);
}

// The kind of a stone letter, or 0 for another character.
int32_t kindOf(char letter) {
    const StoneKind* kind = stoneKindOfLetter(letter);
    return kind != nullptr ? kind->code : 0;
}

// The stone letters for messages, in the table's order: "G, O or P".
const std::string& letterList() {
    static const std::string list = [] {
        std::string letters;
        for (int i = 0; i < kStoneKindCount; ++i) {
            letters += i == 0 ? "" : i + 1 == kStoneKindCount ? " or " : ", ";
            letters += kStoneKinds[i].letter;
        }
        return letters;
    }();
    return list;
}

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
            ++i;
        }
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
            ++i;
        }
        if (i > start) {
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

bool parseWhole(std::string_view word, long& value) {
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && end == word.data() + word.size() &&
           std::labs(value) <= kCoordinateLimit;
}

#ifdef __cpp_lib_to_chars
bool parseFloat(std::string_view word, float& value) {
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && end == word.data() + word.size();
}

// The shortest text that reads back as exactly this float.
std::string floatText(float v) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, ec == std::errc() ? end : buffer);
}
#else
// The C++ library of the web build (emscripten's libc++) has no std::from_chars and
// std::to_chars for floats: the same strict reading and shortest writing through strtof and
// snprintf (whose locale there is always "C").

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// What from_chars reads whole: an optional '-', then digits with an optional '.' and fraction
// and an optional exponent, or inf, infinity, nan or nan(letters, digits, '_') in any case.
bool floatWord(std::string_view word) {
    const std::string_view rest = word.substr(!word.empty() && word[0] == '-' ? 1 : 0);
    std::size_t i = 0;
    std::size_t digits = 0;
    for (; i < rest.size() && isDigit(rest[i]); ++i, ++digits) {
    }
    if (i < rest.size() && rest[i] == '.') {
        for (++i; i < rest.size() && isDigit(rest[i]); ++i, ++digits) {
        }
    }
    if (digits > 0 && i < rest.size() && (rest[i] == 'e' || rest[i] == 'E')) {
        std::size_t j =
            i + 1 < rest.size() && (rest[i + 1] == '+' || rest[i + 1] == '-') ? i + 2 : i + 1;
        const std::size_t first = j;
        for (; j < rest.size() && isDigit(rest[j]); ++j) {
        }
        i = j > first ? j : std::string_view::npos;
    }
    if (digits > 0) {
        return i == rest.size();
    }
    std::string lower;
    for (const char c : rest) {
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    if (lower == "inf" || lower == "infinity" || lower == "nan") {
        return true;
    }
    if (lower.size() < 5 || lower.compare(0, 4, "nan(") != 0 || lower.back() != ')') {
        return false;
    }
    for (std::size_t k = 4; k + 1 < lower.size(); ++k) {
        if (!isDigit(lower[k]) && !(lower[k] >= 'a' && lower[k] <= 'z') && lower[k] != '_') {
            return false;
        }
    }
    return true;
}

bool parseFloat(std::string_view word, float& value) {
    if (!floatWord(word)) {
        return false;
    }
    const std::string text(word);
    char* end = nullptr;
    errno = 0;
    value = std::strtof(text.c_str(), &end);
    // Beyond the floats, or nearer to zero than the smallest, is out of range; a subnormal is not.
    const bool outOfRange = errno == ERANGE && (value == 0.0f || std::isinf(value));
    return !outOfRange && end == text.c_str() + text.size();
}

// The shortest text that reads back as exactly this float: the fewest digits that do, written
// plainly or with an exponent, whichever is shorter (plainly when they are as long).
std::string floatText(float v) {
    if (std::isnan(v)) {
        return std::signbit(v) ? "-nan" : "nan";
    }
    if (std::isinf(v) || v == 0.0f) {
        return std::string(std::signbit(v) ? "-" : "") + (v == 0.0f ? "0" : "inf");
    }
    char buffer[32];
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, static_cast<double>(v));
        if (std::strtof(buffer, nullptr) == v) {
            break;
        }
    }
    const std::string_view printed(buffer);
    const std::size_t e = printed.find('e');
    std::string digits;
    for (const char c : printed.substr(0, e)) {
        if (isDigit(c)) {
            digits += c;
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    const int exponent = std::atoi(buffer + e + 1);
    const int count = static_cast<int>(digits.size());
    std::string plain;
    if (exponent >= count - 1) {
        // A whole number is written plainly with all its digits, as it is exactly.
        std::snprintf(buffer, sizeof buffer, "%.0f", static_cast<double>(std::fabs(v)));
        plain = buffer;
    } else if (exponent >= 0) {
        plain = digits.substr(0, exponent + 1) + '.' + digits.substr(exponent + 1);
    } else {
        plain = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    std::string scientific = digits.substr(0, 1) + (count > 1 ? '.' + digits.substr(1) : "") +
                             (exponent < 0 ? "e-" : "e+") + (std::abs(exponent) < 10 ? "0" : "") +
                             std::to_string(std::abs(exponent));
    return (v < 0 ? "-" : "") + (plain.size() <= scientific.size() ? plain : scientific);
}
#endif

std::string position(float x, float y) {
    std::string text(1, '(');
    text += floatText(x);
    text += ", ";
    text += floatText(y);
    text += ')';
    return text;
}

// Reads a level text line by line, collecting stones and checking each as it comes.
class LevelParser {
  public:
    LevelParser(std::vector<StoneRecord>& stones, LevelError& error)
        : stones(stones), error(error) {}

    bool parse(std::string_view text, int firstLine) {
        stones.clear();
        int line = firstLine - 1;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos) {
                end = text.size();
            }
            if (!parseLine(text.substr(start, end - start), ++line)) {
                return false;
            }
            start = end + 1;
        }
        if (inGrid && rowsInGrid == 0) {
            return fail(gridLine, "grid block holds no rows");
        }
        if (stones.empty()) {
            return fail(std::max(line, firstLine), "the level holds no stones");
        }
        return true;
    }

  private:
    bool fail(int line, std::string message) {
        error = {line, std::move(message)};
        return false;
    }

    bool parseLine(std::string_view line, int number) {
        line = line.substr(0, line.find('#'));
        while (!line.empty() &&
               (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
            line.remove_suffix(1);
        }
        const std::vector<std::string_view> words = splitWords(line);
        if (words.empty()) {
            return true;
        }
        const char first = words[0][0];
        if (kindOf(first) != 0 || first == '.') {
            return parseRow(words, number);
        }
        if (inGrid && rowsInGrid == 0) {
            return fail(gridLine, "grid block holds no rows");
        }
        inGrid = false;
        if (words[0] == "grid") {
            return parseGrid(words, number);
        }
        if (words[0] == "stone") {
            return parseStone(words, number);
        }
        return fail(number, "unknown statement '" + std::string(words[0]) +
                                "' (grid, stone or a row of " + letterList() + " and .)");
    }

    bool parseGrid(const std::vector<std::string_view>& words, int number) {
        if (words.size() != 3 || !parseWhole(words[1], gridX) || !parseWhole(words[2], gridY)) {
            return fail(number, "expected 'grid X Y' with two whole numbers");
        }
        inGrid = true;
        gridLine = number;
        rowsInGrid = 0;
        return true;
    }

    bool parseStone(const std::vector<std::string_view>& words, int number) {
        StoneRecord s;
        if (words.size() != 4) {
            return fail(number, "expected 'stone K X Y'");
        }
        s.kind = words[1].size() == 1 ? kindOf(words[1][0]) : 0;
        if (s.kind == 0) {
            return fail(number, "unknown stone kind '" + std::string(words[1]) + "' (" +
                                    letterList() + ")");
        }
        if (!parseFloat(words[2], s.x) || !parseFloat(words[3], s.y)) {
            return fail(number, "expected 'stone K X Y' with two numbers");
        }
        return addStone(s, number);
    }

    bool parseRow(const std::vector<std::string_view>& words, int number) {
        if (!inGrid) {
            return fail(number, "row of stones outside a grid block (start one with 'grid X Y')");
        }
        if (words.size() != 1) {
            return fail(number, "a row is one word of " + letterList() + " and . without spaces");
        }
        const long y = gridY + 32L * rowsInGrid++;
        for (size_t column = 0; column < words[0].size(); ++column) {
            const char c = words[0][column];
            if (c == '.') {
                continue;
            }
            const int32_t kind = kindOf(c);
            if (kind == 0) {
                return fail(number, std::string("unexpected character '") + c + "' in a row (" +
                                        letterList() + " or .)");
            }
            const long x = gridX + 64L * static_cast<long>(column);
            if (!addStone({kind, static_cast<float>(x), static_cast<float>(y)}, number)) {
                return false;
            }
        }
        return true;
    }

    bool addStone(const StoneRecord& s, int number) {
        if (!insideField(s)) {
            return fail(number, "stone at " + position(s.x, s.y) +
                                    " lies outside the play field (x 32 to 704, y 64 to 368)");
        }
        for (size_t i = 0; i < stones.size(); ++i) {
            if (overlaps(stones[i], s)) {
                return fail(number, "stone at " + position(s.x, s.y) + " overlaps the stone at " +
                                        position(stones[i].x, stones[i].y) + " from line " +
                                        std::to_string(lines[i]));
            }
        }
        stones.push_back(s);
        lines.push_back(number);
        return true;
    }

    std::vector<StoneRecord>& stones;
    LevelError& error;
    std::vector<int> lines; // line of each stone
    bool inGrid = false;
    int gridLine = 0;
    long gridX = 0;
    long gridY = 0;
    int rowsInGrid = 0;
};

// A stone a grid can hold: a lettered kind at whole coordinates (no negative zero).
bool gridable(const StoneRecord& s) {
    auto whole = [](float v) {
        return std::isfinite(v) && v == std::trunc(v) && std::fabs(v) <= kCoordinateLimit &&
               !(v == 0 && std::signbit(v));
    };
    return letterOf(s.kind) != 0 && whole(s.x) && whole(s.y);
}

// A grid block being gathered from consecutive stones.
struct Block {
    long x0 = 0; // x of the first stone; columns count from it
    long y0 = 0; // y of the first row
    long minColumn = 0;
    long maxColumn = 0;
    std::vector<std::map<long, char>> rows; // column -> letter, one map per row
    StoneRecord last;

    // Takes s if it continues the block in reading order; false otherwise.
    bool take(const StoneRecord& s) {
        const long x = static_cast<long>(s.x);
        const long y = static_cast<long>(s.y);
        const long lastX = static_cast<long>(last.x);
        const long lastY = static_cast<long>(last.y);
        if ((x - x0) % 64 != 0) {
            return false;
        }
        const long column = (x - x0) / 64;
        if (std::max(maxColumn, column) - std::min(minColumn, column) + 1 > kMaxColumns) {
            return false;
        }
        if (y == lastY && x > lastX) {
            // Same row, further right.
        } else if (y > lastY && (y - lastY) % 32 == 0 && (y - lastY) / 32 <= kMaxEmptyRows + 1) {
            rows.resize(rows.size() + static_cast<size_t>((y - lastY) / 32));
        } else {
            return false;
        }
        put(s, column);
        return true;
    }

    void start(const StoneRecord& s) {
        x0 = static_cast<long>(s.x);
        y0 = static_cast<long>(s.y);
        minColumn = maxColumn = 0;
        rows.assign(1, {});
        put(s, 0);
    }

    void put(const StoneRecord& s, long column) {
        rows.back()[column] = letterOf(s.kind);
        minColumn = std::min(minColumn, column);
        maxColumn = std::max(maxColumn, column);
        last = s;
    }

    std::string text() const {
        std::string out =
            "grid " + std::to_string(x0 + 64 * minColumn) + " " + std::to_string(y0) + "\n";
        for (const auto& row : rows) {
            std::string line;
            for (const auto& [column, letter] : row) {
                line.resize(static_cast<size_t>(column - minColumn), '.');
                line += letter;
            }
            out += (line.empty() ? "." : line) + "\n";
        }
        return out;
    }
};

} // namespace

bool parseLevelText(std::string_view text, std::vector<StoneRecord>& stones, LevelError& error,
                    int firstLine) {
    return LevelParser(stones, error).parse(text, firstLine);
}

std::string formatLevelText(const std::vector<StoneRecord>& stones) {
    return kHeader + formatLevelBody(stones);
}

std::string formatLevelBody(const std::vector<StoneRecord>& stones) {
    std::string out;
    Block block;
    bool inBlock = false;
    bool inStones = false;
    for (const StoneRecord& s : stones) {
        if (inBlock && gridable(s) && block.take(s)) {
            continue;
        }
        if (inBlock) {
            out += '\n';
            out += block.text();
            inBlock = false;
        }
        if (gridable(s)) {
            block.start(s);
            inBlock = true;
            inStones = false;
            continue;
        }
        const char letter = letterOf(s.kind);
        out += inStones ? "" : "\n";
        out += "stone " + (letter ? std::string(1, letter) : std::to_string(s.kind)) + " " +
               floatText(s.x) + " " + floatText(s.y) + "\n";
        inStones = true;
    }
    if (inBlock) {
        out += '\n';
        out += block.text();
    }
    return out;
}
