// LevelTool: the commands of the zxlevel tool, which turns level texts into level files and back.
#include "tools/content/LevelTool.h"

#include "tools/content/LevelText.h"

#include <cstdint>

namespace {

const char* const kUsage = "usage: zxlevel compile IN.txt OUT.zxm\n"
                           "       zxlevel decompile IN.zxm [OUT.txt]\n";

bool readFile(const std::string& path, std::string& bytes) {
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        return false;
    }
    bytes.clear();
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        bytes.append(buffer, got);
    }
    const bool ok = !std::ferror(in);
    std::fclose(in);
    return ok;
}

// Writes bytes to path whole; a half-written file is removed.
bool writeFile(const std::string& path, const void* bytes, size_t size) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        return false;
    }
    bool ok = std::fwrite(bytes, 1, size, out) == size;
    ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        std::remove(path.c_str());
    }
    return ok;
}

int compile(const std::string& in, const std::string& outPath, FILE* err) {
    std::string text;
    if (!readFile(in, text)) {
        std::fprintf(err, "%s: cannot read the file\n", in.c_str());
        return 1;
    }
    std::vector<StoneRecord> stones;
    LevelError error;
    if (!parseLevelText(text, stones, error)) {
        std::fprintf(err, "%s:%d: %s\n", in.c_str(), error.line, error.message.c_str());
        return 1;
    }
    const std::vector<uint8_t> bytes = encodeLevel(stones);
    if (!writeFile(outPath, bytes.data(), bytes.size())) {
        std::fprintf(err, "%s: cannot write the file\n", outPath.c_str());
        return 1;
    }
    return 0;
}

int decompile(const std::string& in, const std::string* outPath, FILE* out, FILE* err) {
    std::string bytes;
    if (!readFile(in, bytes)) {
        std::fprintf(err, "%s: cannot read the file\n", in.c_str());
        return 1;
    }
    std::vector<StoneRecord> stones;
    std::string error;
    if (!decodeLevel(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), stones, error)) {
        std::fprintf(err, "%s: %s\n", in.c_str(), error.c_str());
        return 1;
    }
    const std::string text = formatLevelText(stones);
    if (outPath == nullptr) {
        return std::fwrite(text.data(), 1, text.size(), out) == text.size() ? 0 : 1;
    }
    if (!writeFile(*outPath, text.data(), text.size())) {
        std::fprintf(err, "%s: cannot write the file\n", outPath->c_str());
        return 1;
    }
    return 0;
}

} // namespace

int runLevelTool(const std::vector<std::string>& args, FILE* out, FILE* err) {
    if (args.size() == 3 && args[0] == "compile") {
        return compile(args[1], args[2], err);
    }
    if ((args.size() == 2 || args.size() == 3) && args[0] == "decompile") {
        return decompile(args[1], args.size() == 3 ? &args[2] : nullptr, out, err);
    }
    std::fputs(kUsage, err);
    return 2;
}
