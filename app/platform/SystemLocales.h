// SystemLocales: the languages the system prefers, as SDL reads them (LANGUAGE and LANG on Linux,
// the user's interface languages on Windows, navigator.languages in the browser).
#pragma once

#include <string>
#include <vector>

// The preferred locales, best first ("de_DE", "en"); empty when the system names none.
std::vector<std::string> systemLocales();
