// Windows-1250 <-> UTF-8 through the C library's iconv.
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
