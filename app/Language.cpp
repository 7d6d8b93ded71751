// Language: the current language and the choice among the catalogues.
#include "app/Language.h"

#include <cctype>

namespace {

int current = 0;

// The locale's language part in lower case: "de" of "de_DE.UTF-8" or "de-AT".
std::string languageOf(std::string_view locale) {
    std::string language;
    for (const char c : locale) {
        if (c == '_' || c == '-' || c == '.' || c == '@') {
            break;
        }
        language += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return language;
}

} // namespace

const char* tr(TextId id) {
    const int index = static_cast<int>(id);
    if (index < 0 || index >= kTextCount) {
        return "";
    }
    const char* chosen = kLanguages[current].texts[index];
    return chosen != nullptr ? chosen : kLanguages[0].texts[index];
}

int currentLanguage() {
    return current;
}

void setCurrentLanguage(int index) {
    if (index >= 0 && index < kLanguageCount) {
        current = index;
    }
}

const char* currentLanguageCode() {
    return kLanguages[current].code;
}

int findLanguage(std::string_view code) {
    const std::string language = languageOf(code);
    for (int i = 0; i < kLanguageCount; ++i) {
        if (!language.empty() && language.size() == code.size() && language == kLanguages[i].code) {
            return i;
        }
    }
    return -1;
}

std::string languageCodes(const char* separator) {
    std::string codes;
    for (int i = 0; i < kLanguageCount; ++i) {
        codes += (i > 0 ? separator : "");
        codes += kLanguages[i].code;
    }
    return codes;
}

int languageForLocales(const std::vector<std::string>& locales) {
    bool named = false;
    for (const std::string& locale : locales) {
        const std::string language = languageOf(locale);
        if (language.empty() || language == "c" || language == "posix") {
            continue;
        }
        const int found = findLanguage(language);
        if (found >= 0) {
            return found;
        }
        named = true;
    }
    const int english = findLanguage("en");
    return named && english >= 0 ? english : 0;
}

int chooseLanguage(std::string_view asked, std::string_view kept,
                   const std::vector<std::string>& locales) {
    for (const std::string_view code : {asked, kept}) {
        const int found = findLanguage(code);
        if (found >= 0) {
            return found;
        }
    }
    return languageForLocales(locales);
}
