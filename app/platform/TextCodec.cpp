// Windows-1250 <-> UTF-8 through the C library's iconv; Windows-1250 -> wide text by a table (it
// runs for every text drawn), wide text -> UTF-8 by hand.
#include "TextCodec.h"

#include <iconv.h>

#include <cerrno>

namespace {

// Converts with iconv, replacing every input that cannot be converted by '?'; skipIn is how many
// input bytes to skip after such a failure (1 for a single-byte source, a whole UTF-8 sequence
// otherwise).
std::string convert(const char* to, const char* from, const std::string& text, bool fromUtf8) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return text;
    }
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (result != static_cast<size_t>(-1) || errno == E2BIG) {
            continue;
        }
        // An unconvertible or broken input: emit '?' and skip one character of the input.
        out.push_back('?');
        size_t skip = 1;
        if (fromUtf8) {
            unsigned char lead = static_cast<unsigned char>(*in);
            skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            if (skip > inLeft) {
                skip = inLeft;
            }
        }
        in += skip;
        inLeft -= skip;
    }
    iconv_close(cd);
    return out;
}

} // namespace

std::string cp1250ToUtf8(const std::string& text) {
    return convert("UTF-8", "CP1250", text, false);
}

std::string utf8ToCp1250(const std::string& text) {
    return convert("CP1250", "UTF-8", text, true);
}

namespace {

// The characters of the bytes 0x80 to 0xFF in Windows-1250; '?' for the five it leaves undefined.
constexpr char16_t kHighHalf[128] = {
    0x20AC, 0x003F, 0x201A, 0x003F, 0x201E, 0x2026, 0x2020, 0x2021, 0x003F, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x003F, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x003F, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

} // namespace

void cp1250ToWide(const char* text, std::wstring& wide) {
    wide.clear();
    for (const char* c = text; *c != '\0'; ++c) {
        const unsigned char byte = static_cast<unsigned char>(*c);
        wide.push_back(byte < 0x80 ? static_cast<wchar_t>(byte) : kHighHalf[byte - 0x80]);
    }
}

std::wstring cp1250ToWide(const char* text) {
    std::wstring wide;
    cp1250ToWide(text, wide);
    return wide;
}

std::string wideToCp1250(const wchar_t* text) {
    return utf8ToCp1250(wideToUtf8(text));
}

std::string wideToUtf8(const wchar_t* text) {
    std::string out;
    for (const wchar_t* c = text; *c != L'\0'; ++c) {
        char32_t code = static_cast<char32_t>(*c);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            code = U'?';
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}
