// TextWrap: word wrapping of a message box's text.
#include "app/platform/ui/TextWrap.h"

namespace {

// The length of the UTF-8 character that starts at text[at].
std::size_t charLength(const std::string& text, std::size_t at) {
    std::size_t length = 1;
    while (at + length < text.size() &&
           (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) {
        ++length;
    }
    return length;
}

// Breaks one paragraph (no line feeds) into lines and appends them.
void wrapParagraph(const std::string& paragraph, int maxWidth, const TextMeasure& measure,
                   std::vector<std::string>& lines) {
    std::size_t start = 0;
    do {
        // The longest run of whole characters from start that fits.
        std::size_t end = start;
        while (end < paragraph.size()) {
            const std::size_t next = end + charLength(paragraph, end);
            if (measure(paragraph.substr(start, next - start)) > maxWidth) {
                break;
            }
            end = next;
        }
        if (end == paragraph.size()) {
            lines.push_back(paragraph.substr(start));
            return;
        }
        // Back to the last space inside the run, or after it when a space ends the run.
        std::size_t cut = paragraph[end] == ' ' ? end : paragraph.rfind(' ', end);
        if (cut == std::string::npos || cut < start || cut == start) {
            cut = end > start ? end : start + charLength(paragraph, start);
        }
        std::size_t lineEnd = cut;
        while (lineEnd > start && paragraph[lineEnd - 1] == ' ') {
            --lineEnd;
        }
        lines.push_back(paragraph.substr(start, lineEnd - start));
        start = cut;
        while (start < paragraph.size() && paragraph[start] == ' ') {
            ++start;
        }
    } while (start < paragraph.size());
}

} // namespace

std::vector<std::string> wrapText(const std::string& text, int maxWidth,
                                  const TextMeasure& measure) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        std::size_t feed = text.find('\n', start);
        std::string paragraph = text.substr(start, feed == std::string::npos ? feed : feed - start);
        if (!paragraph.empty() && paragraph.back() == '\r') {
            paragraph.pop_back();
        }
        wrapParagraph(paragraph, maxWidth, measure, lines);
        if (feed == std::string::npos) {
            return lines;
        }
        start = feed + 1;
    }
}
