// PoCatalogue: a small reader of PO files (msgctxt, msgid, msgstr, continued strings, comments)
// and the UTF-8 to Windows-1250 conversion of their texts through iconv.
#include "tools/lang/PoCatalogue.h"

#include <iconv.h>

#include <cctype>
#include <fstream>
#include <set>

namespace {

// The UTF-8 text as Windows-1250 bytes; false when a letter has no byte there.
bool toCp1250(const std::string& utf8, std::string& out) {
    iconv_t cd = iconv_open("CP1250", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    out.assign(utf8.size(), '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = out.data();
    std::size_t outLeft = out.size();
    const bool ok = iconv(cd, &in, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return ok;
}

// The quoted string that starts line (after blanks) with its escapes undone; false when it is
// not one.
bool unquote(const std::string& line, std::string& text) {
    const std::size_t open = line.find_first_not_of(" \t");
    const std::size_t close = line.find_last_not_of(" \t\r");
    if (open == std::string::npos || line[open] != '"' || close <= open || line[close] != '"') {
        return false;
    }
    text.clear();
    for (std::size_t i = open + 1; i < close; ++i) {
        if (line[i] != '\\') {
            text += line[i];
            continue;
        }
        if (++i >= close) {
            return false;
        }
        switch (line[i]) {
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case '"':
        case '\\':
            text += line[i];
            break;
        default:
            return false;
        }
    }
    return true;
}

bool isIdentifier(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) {
        return false;
    }
    for (const char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') {
            return false;
        }
    }
    return true;
}

// One entry as it is read: the keyword whose strings are being collected, and the strings.
struct Entry {
    std::string context;
    std::string id;
    std::string text;
    bool hasContext = false;
    bool hasText = false;
    bool fuzzy = false; // marked "#, fuzzy": a guess that is not used, as gettext does not
    int line = 0;
};

} // namespace

bool readPoCatalogue(const std::string& path, PoCatalogue& catalogue, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = path + ": cannot be read";
        return false;
    }
    const std::size_t slash = path.find_last_of("/\\");
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    catalogue.code = name.substr(0, name.rfind(".po"));
    catalogue.texts.clear();
    std::set<std::string> seen;
    Entry entry;
    std::string* collecting = nullptr;
    // Ends the entry read so far; the header (no msgctxt, empty msgid) is skipped.
    auto finish = [&]() {
        if (!entry.hasText) {
            entry = {};
            return true;
        }
        const std::string where = path + ":" + std::to_string(entry.line) + ": ";
        if (!entry.hasContext) {
            if (!entry.id.empty()) {
                error = where + "an entry without msgctxt";
                return false;
            }
        } else if (!isIdentifier(entry.context) || !seen.insert(entry.context).second) {
            error = where + "the name \"" + entry.context + "\" is not an identifier or is taken";
            return false;
        } else if (!entry.text.empty() && !entry.fuzzy) {
            std::string bytes;
            if (!toCp1250(entry.text, bytes)) {
                error = where + "\"" + entry.context + "\" has a letter Windows-1250 lacks";
                return false;
            }
            catalogue.texts.emplace_back(entry.context, bytes);
        }
        entry = {};
        return true;
    };
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') {
            // A flags line before an entry: "#, fuzzy" ends the entry before, if any.
            if (first != std::string::npos && line.compare(first, 2, "#,") == 0 &&
                line.find("fuzzy") != std::string::npos) {
                if (entry.hasText && !finish()) {
                    return false;
                }
                entry.fuzzy = true;
            }
            continue;
        }
        std::string value;
        const std::size_t space = line.find(' ', first);
        const std::string keyword =
            line.substr(first, space == std::string::npos ? 0 : space - first);
        if (line[first] == '"' && collecting != nullptr && unquote(line, value)) {
            *collecting += value;
            continue;
        }
        if (space == std::string::npos || !unquote(line.substr(space), value)) {
            error = path + ":" + std::to_string(number) + ": a damaged line";
            return false;
        }
        if ((keyword == "msgctxt" || keyword == "msgid") && entry.hasText && !finish()) {
            return false;
        }
        if (keyword == "msgctxt" && entry.hasContext) {
            error = path + ":" + std::to_string(number) + ": the entry before has no msgstr";
            return false;
        }
        if (entry.line == 0) {
            entry.line = number;
        }
        if (keyword == "msgctxt") {
            entry.hasContext = true;
            collecting = &entry.context;
        } else if (keyword == "msgid") {
            collecting = &entry.id;
        } else if (keyword == "msgstr") {
            entry.hasText = true;
            collecting = &entry.text;
        } else {
            error = path + ":" + std::to_string(number) + ": an unknown keyword";
            return false;
        }
        *collecting = value;
    }
    return finish();
}
