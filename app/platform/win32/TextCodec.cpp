// Windows-1250 <-> UTF-8 and UTF-16 through the system's code page conversions, which take code
// page 1250 whatever the system's own code page is.
#include "app/platform/TextCodec.h"

#include <windows.h>

namespace {

constexpr UINT kCp1250 = 1250;

// Text (size bytes) of code page from as UTF-16, into wide.
void toWide(UINT from, const char* text, int size, std::wstring& wide) {
    wide.clear();
    if (size == 0) {
        return;
    }
    const int length = MultiByteToWideChar(from, 0, text, size, nullptr, 0);
    wide.resize(static_cast<std::size_t>(length));
    MultiByteToWideChar(from, 0, text, size, wide.data(), length);
}

// UTF-16 text (size units) in code page to. A character that 1250 lacks becomes '?' rather than
// the look-alike that the system's best fit would choose ("n" for "ñ"); UTF-8 holds them all.
std::string fromWide(UINT to, const wchar_t* text, int size) {
    if (size == 0) {
        return {};
    }
    const DWORD flags = to == kCp1250 ? WC_NO_BEST_FIT_CHARS : 0;
    const char* fallback = to == kCp1250 ? "?" : nullptr;
    const int length = WideCharToMultiByte(to, flags, text, size, nullptr, 0, fallback, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(to, flags, text, size, out.data(), length, fallback, nullptr);
    return out;
}

} // namespace

std::string cp1250ToUtf8(const std::string& text) {
    std::wstring wide;
    toWide(kCp1250, text.data(), static_cast<int>(text.size()), wide);
    return fromWide(CP_UTF8, wide.data(), static_cast<int>(wide.size()));
}

std::string utf8ToCp1250(const std::string& text) {
    std::wstring wide;
    toWide(CP_UTF8, text.data(), static_cast<int>(text.size()), wide);
    return fromWide(kCp1250, wide.data(), static_cast<int>(wide.size()));
}

void cp1250ToWide(const char* text, std::wstring& wide) {
    toWide(kCp1250, text, static_cast<int>(std::char_traits<char>::length(text)), wide);
}

std::wstring cp1250ToWide(const char* text) {
    std::wstring wide;
    cp1250ToWide(text, wide);
    return wide;
}

std::string wideToCp1250(const wchar_t* text) {
    return fromWide(kCp1250, text, static_cast<int>(std::char_traits<wchar_t>::length(text)));
}

std::string wideToUtf8(const wchar_t* text) {
    return fromWide(CP_UTF8, text, static_cast<int>(std::char_traits<wchar_t>::length(text)));
}
