// libFuzzer target: the settings file's parser on arbitrary bytes; whatever it takes must write
// out and read back unchanged, without a complaint.
#include "app/Settings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    static std::FILE* complaints = std::fopen("/dev/null", "w");
    Settings settings;
    parseSettings(std::string(reinterpret_cast<const char*>(bytes), size), "fuzz", settings,
                  complaints);
    if (settings.window.width < kSmallestWindowSide || settings.window.width > kLargestWindowSide ||
        settings.window.height < kSmallestWindowSide ||
        settings.window.height > kLargestWindowSide) {
        std::abort();
    }
    Settings again;
    if (parseSettings(formatSettings(settings), "fuzz", again, complaints) != 0 ||
        !(again == settings)) {
        std::abort();
    }
    return 0;
}
