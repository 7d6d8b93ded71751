// zxlang: turns the game's PO catalogues (resources/lang/*.po) into the program's text tables:
// zxlang HEADER SOURCE pl.po [other.po ...]. The first file is the source language; its entries
// name the texts, in its order; a text another language lacks is left null there.
#include "tools/lang/PoCatalogue.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// "menu_play" as "MenuPlay".
std::string enumName(const std::string& name) {
    std::string out;
    bool upper = true;
    for (const char c : name) {
        if (c == '_') {
            upper = true;
            continue;
        }
        out += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        upper = false;
    }
    return out;
}

// The bytes as a C++ string literal; bytes outside printable ASCII as octal escapes, which
// never run into the next character.
std::string literal(const std::string& bytes) {
    std::string out = "\"";
    for (const char c : bytes) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (byte < 0x20 || byte >= 0x7F || c == '?') {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03o", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Writes text to path unless the file holds it already, so that an unchanged catalogue
// rebuilds nothing.
bool writeIfChanged(const std::string& path, const std::string& text) {
    std::ifstream old(path, std::ios::binary);
    std::ostringstream held;
    if (old && (held << old.rdbuf()) && held.str() == text) {
        return true;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out << text);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: zxlang HEADER SOURCE SOURCE_LANGUAGE.po [LANGUAGE.po ...]\n", stderr);
        return 2;
    }
    std::vector<PoCatalogue> languages(static_cast<std::size_t>(argc - 3));
    for (std::size_t i = 0; i < languages.size(); ++i) {
        std::string error;
        if (!readPoCatalogue(argv[i + 3], languages[i], error)) {
            std::fprintf(stderr, "zxlang: %s\n", error.c_str());
            return 1;
        }
    }
    // The source language first, then the others by code, whatever order the files came in.
    std::sort(languages.begin() + 1, languages.end(),
              [](const PoCatalogue& a, const PoCatalogue& b) { return a.code < b.code; });
    std::vector<std::string> names;
    for (const auto& [name, text] : languages[0].texts) {
        names.push_back(name);
    }
    std::ostringstream header;
    header << "// TextCatalogue: the game's texts by name and language, made by tools/lang/zxlang "
              "from\n// resources/lang/*.po at build time; not to be edited.\n#pragma once\n\n"
              "enum class TextId : int {\n";
    for (const std::string& name : names) {
        header << "    " << enumName(name) << ",\n";
    }
    header
        << "};\n\nconstexpr int kTextCount = " << names.size()
        << ";\nconstexpr int kLanguageCount = " << languages.size()
        << ";\n\n// One language: its code and its texts (Windows-1250) by TextId, null where it "
           "lacks one.\nstruct LanguageTexts {\n    const char* code;\n    const char* const* "
           "texts;\n};\n\n// The source language (Polish) first, then the others by code.\n"
           "extern const LanguageTexts kLanguages[kLanguageCount];\n"
           "// The names of the texts by TextId, as the catalogues' msgctxt give them.\n"
           "extern const char* const kTextNames[kTextCount];\n";
    std::ostringstream source;
    source << "// TextCatalogue: the tables made by tools/lang/zxlang; not to be edited.\n"
              "#include \"app/TextCatalogue.h\"\n\nnamespace {\n";
    for (std::size_t l = 0; l < languages.size(); ++l) {
        source << "\nconst char* const kTexts" << l << "[kTextCount] = {\n";
        for (const std::string& name : names) {
            const auto& texts = languages[l].texts;
            const auto found = std::find_if(texts.begin(), texts.end(),
                                            [&](const auto& entry) { return entry.first == name; });
            source << "    " << (found == texts.end() ? "nullptr" : literal(found->second))
                   << ",\n";
        }
        source << "};\n";
    }
    source << "\n} // namespace\n\nconst LanguageTexts kLanguages[kLanguageCount] = {\n";
    for (std::size_t l = 0; l < languages.size(); ++l) {
        source << "    {\"" << languages[l].code << "\", kTexts" << l << "},\n";
    }
    source << "};\n\nconst char* const kTextNames[kTextCount] = {\n";
    for (const std::string& name : names) {
        source << "    \"" << name << "\",\n";
    }
    source << "};\n";
    if (!writeIfChanged(argv[1], header.str()) || !writeIfChanged(argv[2], source.str())) {
        std::fputs("zxlang: cannot write the tables\n", stderr);
        return 1;
    }
    return 0;
}
