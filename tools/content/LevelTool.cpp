// LevelTool: the commands of the zxlevel tool, which turns level texts into level files and back.
#include "tools/content/LevelTool.h"

#include "game/LevelSet.h"
#include "game/LevelText.h"
#include "tools/FileBytes.h"

#include <cstdint>

namespace {

const char* const kUsage = "usage: zxlevel compile IN.txt OUT.zxm\n"
                           "       zxlevel decompile IN.zxm [OUT.txt]\n"
                           "       zxlevel build IN.zxl OUTDIR\n";

int compile(const std::string& in, const std::string& outPath, FILE* err) {
    std::vector<uint8_t> text;
    if (!readFileBytes(in, text)) {
        std::fprintf(err, "%s: cannot read the file\n", in.c_str());
        return 1;
    }
    std::vector<StoneRecord> stones;
    LevelError error;
    if (!parseLevelText(std::string(text.begin(), text.end()), stones, error)) {
        std::fprintf(err, "%s:%d: %s\n", in.c_str(), error.line, error.message.c_str());
        return 1;
    }
    const std::vector<uint8_t> bytes = encodeLevel(stones);
    if (!writeFileBytes(outPath, bytes.data(), bytes.size())) {
        std::fprintf(err, "%s: cannot write the file\n", outPath.c_str());
        return 1;
    }
    return 0;
}

int decompile(const std::string& in, const std::string* outPath, FILE* out, FILE* err) {
    std::vector<uint8_t> bytes;
    if (!readFileBytes(in, bytes)) {
        std::fprintf(err, "%s: cannot read the file\n", in.c_str());
        return 1;
    }
    std::vector<StoneRecord> stones;
    std::string error;
    if (!decodeLevel(bytes.data(), bytes.size(), stones, error)) {
        std::fprintf(err, "%s: %s\n", in.c_str(), error.c_str());
        return 1;
    }
    const std::string text = formatLevelText(stones);
    if (outPath == nullptr) {
        return std::fwrite(text.data(), 1, text.size(), out) == text.size() ? 0 : 1;
    }
    if (!writeFileBytes(*outPath, text.data(), text.size())) {
        std::fprintf(err, "%s: cannot write the file\n", outPath->c_str());
        return 1;
    }
    return 0;
}

// Writes each level of a set as OUTDIR/Level<n>.zxm.
int build(const std::string& in, const std::string& outDir, FILE* err) {
    std::vector<uint8_t> text;
    if (!readFileBytes(in, text)) {
        std::fprintf(err, "%s: cannot read the file\n", in.c_str());
        return 1;
    }
    LevelSet set;
    LevelSetError error;
    if (!parseLevelSet(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()),
                       set, error)) {
        std::fprintf(err, "%s:%d: %s\n", in.c_str(), error.line, error.message.c_str());
        return 1;
    }
    for (size_t i = 0; i < set.levels.size(); ++i) {
        const std::vector<uint8_t> bytes = encodeLevel(set.levels[i]);
        const std::string path = outDir + "/Level" + std::to_string(i + 1) + ".zxm";
        if (!writeFileBytes(path, bytes.data(), bytes.size())) {
            std::fprintf(err, "%s: cannot write the file\n", path.c_str());
            return 1;
        }
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
    if (args.size() == 3 && args[0] == "build") {
        return build(args[1], args[2], err);
    }
    std::fputs(kUsage, err);
    return 2;
}
