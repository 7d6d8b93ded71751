// Language: the language the game speaks, chosen among the catalogues of resources/lang/, and
// the text of each TextId in it (Windows-1250).
#pragma once

#include "app/TextCatalogue.h"

#include <string>
#include <string_view>
#include <vector>

// The text of id in the current language; the Polish one where the language lacks it.
const char* tr(TextId id);

// The current language's index in kLanguages; Polish (0) until chosen.
int currentLanguage();
// Makes the language of index current; an index out of range changes nothing.
void setCurrentLanguage(int index);
// The code of the current language ("pl", "en", ...).
const char* currentLanguageCode();

// The index of the language of code ("de", any case), or -1 for one without a catalogue.
int findLanguage(std::string_view code);
// The codes of every language joined by separator ("pl|de|en").
std::string languageCodes(const char* separator);

// The language for the system's preferred locales, best first ("de_DE", "en-US", "C"): the
// first whose language has a catalogue; English when all name other languages; Polish when
// none names a language (empty, "C" or "POSIX").
int languageForLocales(const std::vector<std::string>& locales);

// The language to play in: the code asked for on the command line, else the settings' one,
// else languageForLocales(locales). Empty or unknown codes are passed over.
int chooseLanguage(std::string_view asked, std::string_view kept,
                   const std::vector<std::string>& locales);
