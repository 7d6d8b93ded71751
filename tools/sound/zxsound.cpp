// zxsound: the game's effects as files, and the effects heard in a recording of the game.
//
//   zxsound write DIR        each effect as DIR/<name>.wav (44.1 kHz, mono, 16-bit) and a
//                            picture of its waveform, DIR/<name>.png
//   zxsound scan FILE        the effects in FILE, a raw recording of the game's output (stereo
//                            16-bit at 44.1 kHz, as SDL_AUDIODRIVER=disk writes it to
//                            SDL_DISKAUDIOFILE): one line each, "<ms> <name> <pitch> <left>
//                            <right>", the moment it started and its gains
#include "sound/EffectRecipes.h"
#include "sound/Sound.h"
#include "tools/sound/SoundScan.h"
#include "tools/sound/WavFile.h"
#include "tools/sound/WavePicture.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int writeEffects(const std::string& folder) {
    for (int i = 0; i < kSoundEffectCount; ++i) {
        const SoundEffect effect = effectAt(i);
        const std::vector<float> samples = synthesise(effectRecipe(effect), kSoundRate);
        const std::string base = folder + "/" + effectName(effect);
        if (!writeWav((base + ".wav").c_str(), samples, kSoundRate) ||
            !drawWaveform((base + ".png").c_str(), samples, kSoundRate)) {
            std::fprintf(stderr, "zxsound: cannot write %s\n", base.c_str());
            return 1;
        }
        std::printf("%s.wav %.3f s\n", base.c_str(),
                    static_cast<double>(samples.size()) / kSoundRate);
    }
    return 0;
}

int scan(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "zxsound: cannot read %s\n", path);
        return 1;
    }
    std::vector<std::int16_t> stereo;
    std::int16_t block[4096];
    std::size_t count = 0;
    while ((count = std::fread(block, sizeof block[0], 4096, file)) > 0) {
        stereo.insert(stereo.end(), block, block + count);
    }
    std::fclose(file);
    for (const HeardEffect& heard : scanRecording(stereo, kSoundRate)) {
        std::printf("%.1f %s %.3f %.3f %.3f\n",
                    1000.0 * static_cast<double>(heard.frame) / kSoundRate,
                    effectName(heard.effect), static_cast<double>(heard.pitch),
                    static_cast<double>(heard.left), static_cast<double>(heard.right));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "write") == 0) {
        return writeEffects(argv[2]);
    }
    if (argc == 3 && std::strcmp(argv[1], "scan") == 0) {
        return scan(argv[2]);
    }
    std::fputs("usage: zxsound write DIR | zxsound scan FILE\n", stderr);
    return 2;
}
