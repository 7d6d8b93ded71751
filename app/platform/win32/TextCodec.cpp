// Windows-1250 <-> UTF-8 through the system's code page conversions.
#include "app/platform/TextCodec.h"

#include <windows.h>

namespace {

constexpr UINT kCp1250 = 1250;

// Converts text from code page from to code page to through UTF-16; a character that the
// target lacks becomes '?' (the system's default character for both code pages).
std::string convert(UINT to, UINT from, const std::string& text) {
    if (text.empty()) {
        return text;
    }
    const int size = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(from, 0, text.data(), size, nullptr, 0);
    std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(from, 0, text.data(), size, utf16.data(), wide);
    const int narrow = WideCharToMultiByte(to, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(to, 0, utf16.data(), wide, out.data(), narrow, nullptr, nullptr);
    return out;
}

} // namespace

std::string cp1250ToUtf8(const std::string& text) {
    return convert(CP_UTF8, kCp1250, text);
}

std::string utf8ToCp1250(const std::string& text) {
    return convert(kCp1250, CP_UTF8, text);
}
