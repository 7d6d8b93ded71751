// The Windows program's text conversions, run under Wine with the system's own code page
// functions: Windows-1250 to UTF-16 and back for every byte of the code page, the Polish name as
// its Windows-1250 bytes, and '?' (never a look-alike) for letters the code page lacks.
#include "app/platform/TextCodec.h"

#include <cstdio>
#include <string>

namespace {

int failures = 0;

void check(bool ok, const char* what) {
    if (!ok) {
        std::printf("FAIL: %s\n", what);
        ++failures;
    }
}

} // namespace

int main() {
    int roundTrips = 0;
    for (int byte = 1; byte < 256; ++byte) {
        const char text[2] = {static_cast<char>(byte), '\0'};
        const std::wstring wide = cp1250ToWide(text);
        // Windows maps the five bytes the code page leaves undefined to control characters.
        if (wide.size() == 1 && wideToCp1250(wide.c_str()) == text) {
            ++roundTrips;
        }
    }
    check(roundTrips == 255, "every byte of Windows-1250 comes back from UTF-16");
    check(cp1250ToWide("Za\xBF\xF3\xB3\xE6") == L"Za\u017C\u00F3\u0142\u0107",
          "the Polish name as UTF-16");
    check(wideToCp1250(L"Za\u017C\u00F3\u0142\u0107") == "Za\xBF\xF3\xB3\xE6",
          "the Polish name as Windows-1250");
    // Best fit would make "n", "A" and "a" of these; the table must not hold a look-alike.
    check(wideToCp1250(L"\u00F1\u00C5\u0430\u0436") == "????",
          "letters Windows-1250 lacks become '?'");
    std::printf("%s: %d bytes round-trip\n", failures == 0 ? "ok" : "FAIL", roundTrips);
    return failures == 0 ? 0 : 1;
}
