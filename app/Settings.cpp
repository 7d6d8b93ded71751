// Settings: reading and writing the player's settings file.
#include "app/Settings.h"

#include "app/Language.h"
#include "app/platform/DataPaths.h"
#include "score/platform/SafeFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// The value's text without the blanks around it.
std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A whole decimal number in [low, high] taking all of text; false otherwise.
bool readNumber(const std::string& text, int low, int high, int& number) {
    if (text.empty() || text.size() > 6 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value < low || value > high) {
        return false;
    }
    number = static_cast<int>(value);
    return true;
}

bool readSetting(const std::string& text, bool& value) {
    if (text == "on" || text == "off") {
        value = text == "on";
        return true;
    }
    return false;
}

bool readSetting(const std::string& text, WindowSize& value) {
    const std::size_t by = text.find('x');
    WindowSize size;
    if (by == std::string::npos ||
        !readNumber(text.substr(0, by), kSmallestWindowSide, kLargestWindowSide, size.width) ||
        !readNumber(text.substr(by + 1), kSmallestWindowSide, kLargestWindowSide, size.height)) {
        return false;
    }
    value = size;
    return true;
}

// A language with a catalogue, kept by its code; "" for none chosen.
bool readSetting(const std::string& text, std::string& value) {
    const int language = findLanguage(text);
    if (!text.empty() && language < 0) {
        return false;
    }
    value = text.empty() ? "" : kLanguages[language].code;
    return true;
}

std::string writeSetting(const std::string& value) {
    return value;
}

std::string writeSetting(bool value) {
    return value ? "on" : "off";
}

std::string writeSetting(const WindowSize& value) {
    return std::to_string(value.width) + "x" + std::to_string(value.height);
}

// What became of a line.
enum class LineResult { Read, UnknownKey, BadValue };

// Gives the value of the line's key to its setting.
LineResult readLine(const std::string& key, const std::string& value, Settings& settings) {
#define ZX_SETTING_READ(type, member, name, initial)                                               \
    if (key == (name)) {                                                                           \
        return readSetting(value, settings.member) ? LineResult::Read : LineResult::BadValue;      \
    }
    ZX_SETTINGS(ZX_SETTING_READ)
#undef ZX_SETTING_READ
    return LineResult::UnknownKey;
}

} // namespace

int parseSettings(const std::string& text, const char* name, Settings& settings,
                  std::FILE* complaints) {
    std::istringstream lines(text);
    std::string line;
    int complained = 0;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string content = trimmed(line);
        if (content.empty() || content[0] == '#') {
            continue;
        }
        const std::size_t equals = content.find('=');
        const std::string key = trimmed(content.substr(0, equals));
        const LineResult result =
            equals == std::string::npos
                ? LineResult::UnknownKey
                : readLine(key, trimmed(content.substr(equals + 1)), settings);
        if (result != LineResult::Read) {
            ++complained;
            const std::string what = result == LineResult::BadValue ? key : content;
            std::fprintf(complaints, "zembrix: %s:%d: %s \"%.40s\" ignored\n", name, number,
                         result == LineResult::BadValue ? "the bad value of" : "the unknown line",
                         what.c_str());
        }
    }
    return complained;
}

std::string formatSettings(const Settings& settings) {
    std::string text = "# Zembrix settings\n";
#define ZX_SETTING_WRITE(type, member, name, initial)                                              \
    if (const std::string value = writeSetting(settings.member); !value.empty()) {                 \
        text += std::string(name) + " = " + value + "\n";                                          \
    }
    ZX_SETTINGS(ZX_SETTING_WRITE)
#undef ZX_SETTING_WRITE
    return text;
}

Settings loadSettings(const std::string& path, std::FILE* complaints, bool* complained) {
    Settings settings;
    if (complained != nullptr) {
        *complained = false;
    }
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return settings;
    }
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    if (!std::filesystem::is_regular_file(path, error) || !file ||
        (file.peek() != std::ifstream::traits_type::eof() && !(text << file.rdbuf()))) {
        std::fprintf(complaints, "zembrix: cannot read %s; the settings keep their defaults\n",
                     path.c_str());
        return settings;
    }
    const int count = parseSettings(text.str(), path.c_str(), settings, complaints);
    if (complained != nullptr) {
        *complained = count > 0;
    }
    return settings;
}

bool saveSettings(const std::string& path, const Settings& settings) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    if (!folder.empty() && !makeFolders(folder)) {
        return false;
    }
    const std::string text = formatSettings(settings);
    return writeFileSafely(path.c_str(), text.data(), text.size());
}
