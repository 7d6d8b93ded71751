// WavFile: the RIFF header and the samples, little-endian.
#include "tools/sound/WavFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {
void put16(std::FILE* file, std::uint32_t value) {
    std::fputc(static_cast<int>(value & 0xFF), file);
    std::fputc(static_cast<int>((value >> 8) & 0xFF), file);
}
void put32(std::FILE* file, std::uint32_t value) {
    put16(file, value & 0xFFFF);
    put16(file, value >> 16);
}
} // namespace

bool writeWav(const char* path, const std::vector<float>& samples, int rate) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const std::uint32_t bytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::fputs("RIFF", file);
    put32(file, 36 + bytes);
    std::fputs("WAVEfmt ", file);
    put32(file, 16);                                   // the format chunk's size
    put16(file, 1);                                    // PCM
    put16(file, 1);                                    // mono
    put32(file, static_cast<std::uint32_t>(rate));     // frames a second
    put32(file, static_cast<std::uint32_t>(rate) * 2); // bytes a second
    put16(file, 2);                                    // bytes a frame
    put16(file, 16);                                   // bits a sample
    std::fputs("data", file);
    put32(file, bytes);
    for (float sample : samples) {
        const long value = std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
        put16(file, static_cast<std::uint32_t>(static_cast<std::uint16_t>(value)));
    }
    return std::fclose(file) == 0;
}
