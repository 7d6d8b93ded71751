// EditorSession: the editor's set opened, named and saved in the folder of the player's sets.
#include "rooms/EditorSession.h"

#include "app/Language.h"
#include "app/platform/DataPaths.h"
#include "app/platform/TextCodec.h"
#include "game/LevelSetFile.h"
#include "game/SetInPlay.h"
#include "score/platform/SafeFile.h"

#include <filesystem>
#include <system_error>

namespace {

// The path of a UTF-8 name, whatever the system's narrow code page.
std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(pathOf(path), error);
}

// A file's name without its folder and its ".zxl".
std::string baseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".zxl") == 0) {
        name.erase(name.size() - 4);
    }
    return name;
}

// The first characters of a UTF-8 text, at most the limit of a title.
std::string shortened(const std::string& text) {
    std::string out;
    std::size_t characters = 0;
    for (const char c : text) {
        const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (starts && ++characters > kLevelSetMaxText) {
            break;
        }
        out += c;
    }
    return out;
}

} // namespace

std::string fillText(const char* text, int number, const std::string& detail) {
    std::string out = text;
    if (const std::size_t at = out.find("%d"); at != std::string::npos) {
        out.replace(at, 2, std::to_string(number));
    }
    if (const std::size_t at = out.find("%s"); at != std::string::npos) {
        out.replace(at, 2, detail);
    }
    return out;
}

EditorSession& editorSession() {
    static EditorSession session;
    return session;
}

std::string fileNameForTitle(const std::string& title) {
    std::string name;
    for (const char c : title) {
        const bool kept =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (kept) {
            name += c;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && !name.empty() &&
                   name.back() != '-') {
            name += '-';
        }
    }
    while (!name.empty() && name.back() == '-') {
        name.pop_back();
    }
    return name.empty() ? "zestaw" : name;
}

void EditorSession::startNew() {
    document = EditorDocument(cp1250ToUtf8(tr(TextId::EditorNewSet)));
    name.clear();
    column = row = kind = 0;
    message.clear();
    started = true;
}

void EditorSession::open(const std::string& path) {
    FoundSet found = readLevelSetFile(path);
    started = true;
    column = row = kind = 0;
    name = baseName(path);
    if (found.valid) {
        document.load(std::move(found.set));
        message.clear();
        return;
    }
    // The set starts anew under the file's name; the status line says why.
    document = EditorDocument(shortened(name));
    message = fillText(tr(TextId::EditorNotOpened), 0, utf8ToCp1250(describeRefusal(found)));
}

bool EditorSession::save() {
    const SaveRefusal refusal = document.saveRefusal();
    if (refusal.kind != SaveRefusal::None) {
        const std::string why = refusal.kind == SaveRefusal::NoTitle
                                    ? std::string(tr(TextId::EditorNoTitle))
                                    : fillText(tr(TextId::EditorEmptyLevel), refusal.level + 1, "");
        message = fillText(tr(TextId::EditorNotSaved), 0, why);
        return false;
    }
    const std::string text = formatLevelSet(document.set());
    LevelSet check;
    LevelSetError error;
    if (!parseLevelSet(text, check, error)) {
        message = fillText(tr(TextId::EditorNotSaved), 0, error.message);
        return false;
    }
    const std::string& folder = levelsFolder();
    std::string chosen = name;
    if (chosen.empty()) {
        // A new set takes a name of its own, never that of a file already there.
        const std::string stem = fileNameForTitle(document.set().title);
        chosen = stem;
        for (int n = 2; fileExists(folder + "/" + chosen + ".zxl"); ++n) {
            chosen = stem + "-" + std::to_string(n);
        }
    }
    const std::string path = folder + "/" + chosen + ".zxl";
    if (folder.empty() || !makeFolders(folder) ||
        !writeFileSafely(path.c_str(), text.data(), text.size())) {
        message = fillText(tr(TextId::EditorNotSaved), 0,
                           fillText(tr(TextId::EditorCannotWrite), 0, utf8ToCp1250(path)));
        return false;
    }
    name = chosen;
    document.markSaved();
    message = fillText(tr(TextId::EditorSaved), 0, utf8ToCp1250(path));
    return true;
}
