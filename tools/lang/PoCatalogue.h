// PoCatalogue: the texts of one PO file (one language), read by their msgctxt names and turned
// from UTF-8 into the game's Windows-1250 bytes.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct PoCatalogue {
    std::string code; // the language's code: the file's name without ".po"
    // Name and Windows-1250 text of every translated entry, in the file's order; entries with
    // an empty msgstr (not translated yet) or marked fuzzy are left out.
    std::vector<std::pair<std::string, std::string>> texts;
};

// Reads the PO file at path. False, with one line naming the file and line in error, for a file
// that cannot be read, a damaged line, an entry without msgctxt, a name that is not an
// identifier or given twice, or a letter Windows-1250 lacks.
bool readPoCatalogue(const std::string& path, PoCatalogue& catalogue, std::string& error);
