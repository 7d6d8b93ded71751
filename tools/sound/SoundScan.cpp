// SoundScan: onsets found in the recording, each matched by normalised correlation against
// every effect (the bat's at each pitch it can take), fitted by least squares together with the
// effects it overlaps, and subtracted.
#include "tools/sound/SoundScan.h"

#include "sound/EffectRecipes.h"

#include <algorithm>
#include <cmath>

namespace {

// A sample value that counts as sound: a few steps of 16 bits.
constexpr float kOnset = 4.0f / 32767.0f;
// The length of the start that is compared, and the correlation that counts as a match.
constexpr std::size_t kWindow = 2048;
constexpr double kMatch = 0.6;
// Where the first audible sample may fall against an effect's own first audible one: up to
// kSlack later (a quieter side), up to 8 earlier (a louder one).
constexpr std::size_t kSlack = 48;
// Effects that start together (at most this many) are fitted together.
constexpr std::size_t kMostTogether = 4;

struct Template {
    SoundEffect effect;
    float pitch;
    std::vector<float> samples;
    std::size_t audible; // the first sample at or above kOnset
};

// The samples as the mixer plays them at pitch: read with linear interpolation, stopping before
// the last sample.
std::vector<float> atPitch(const std::vector<float>& samples, float pitch) {
    std::vector<float> out;
    for (double position = 0.0;; position += pitch) {
        const std::size_t index = static_cast<std::size_t>(position);
        if (index + 1 >= samples.size()) {
            break;
        }
        const float along = static_cast<float>(position - static_cast<double>(index));
        out.push_back(samples[index] + along * (samples[index + 1] - samples[index]));
    }
    return out;
}

// Every effect as made, and the bat's at each of its pitches, 1 to 1.25 in steps of 1/80.
std::vector<Template> makeTemplates(int rate) {
    std::vector<Template> templates;
    for (int i = 0; i < kSoundEffectCount; ++i) {
        const SoundEffect effect = effectAt(i);
        const std::vector<float> samples = synthesise(effectRecipe(effect), rate);
        const int steps = effect == SoundEffect::BatBounce ? 20 : 0;
        for (int step = 0; step <= steps; ++step) {
            const float pitch = 1.0f + static_cast<float>(step) / 80.0f;
            Template made{effect, pitch, atPitch(samples, pitch), 0};
            while (made.audible < made.samples.size() &&
                   std::fabs(made.samples[made.audible]) < kOnset) {
                ++made.audible;
            }
            templates.push_back(std::move(made));
        }
    }
    return templates;
}

struct Channels {
    std::vector<float> left;
    std::vector<float> right;
};

// The correlation of a template's start with the two channels' sum at frame.
double correlation(const Channels& sound, const std::vector<float>& samples, std::size_t frame) {
    const std::size_t count = std::min({kWindow, samples.size(), sound.left.size() - frame});
    double cross = 0.0;
    double own = 0.0;
    double heard = 0.0;
    for (std::size_t n = 0; n < count; ++n) {
        const double mixed = sound.left[frame + n] + sound.right[frame + n];
        cross += mixed * samples[n];
        own += static_cast<double>(samples[n]) * samples[n];
        heard += mixed * mixed;
    }
    return own > 0.0 && heard > 0.0 ? cross / std::sqrt(own * heard) : 0.0;
}

// One effect found: its template, start and gains.
struct Fit {
    const Template* shape;
    std::size_t start;
    float gain[2];
};

// The value of a fit's template at frame, 0 outside it.
float valueAt(const Fit& fit, std::size_t frame) {
    const std::vector<float>& samples = fit.shape->samples;
    return frame >= fit.start && frame - fit.start < samples.size() ? samples[frame - fit.start]
                                                                    : 0.0f;
}

// Fits the effects together to one channel by least squares (the normal equations, solved by
// elimination), after putting back what they took out before: their gains on side are replaced.
void refit(std::vector<float>& channel, std::vector<Fit*>& fits, int side) {
    std::size_t first = fits[0]->start;
    std::size_t last = 0;
    for (const Fit* fit : fits) {
        first = std::min(first, fit->start);
        last = std::max(last, std::min(channel.size(), fit->start + fit->shape->samples.size()));
    }
    const std::size_t n = fits.size();
    double matrix[kMostTogether][kMostTogether + 1] = {};
    for (std::size_t frame = first; frame < last; ++frame) {
        double values[kMostTogether];
        double heard = channel[frame];
        for (std::size_t i = 0; i < n; ++i) {
            values[i] = valueAt(*fits[i], frame);
            heard += fits[i]->gain[side] * values[i];
        }
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < n; ++j) {
                matrix[i][j] += values[i] * values[j];
            }
            matrix[i][n] += values[i] * heard;
        }
    }
    for (std::size_t col = 0; col < n; ++col) {
        for (std::size_t row = col + 1; row < n; ++row) {
            const double factor = matrix[col][col] != 0.0 ? matrix[row][col] / matrix[col][col] : 0;
            for (std::size_t k = col; k <= n; ++k) {
                matrix[row][k] -= factor * matrix[col][k];
            }
        }
    }
    double gains[kMostTogether] = {};
    for (std::size_t row = n; row-- > 0;) {
        double sum = matrix[row][n];
        for (std::size_t k = row + 1; k < n; ++k) {
            sum -= matrix[row][k] * gains[k];
        }
        gains[row] = matrix[row][row] != 0.0 ? sum / matrix[row][row] : 0.0;
    }
    for (std::size_t frame = first; frame < last; ++frame) {
        for (std::size_t i = 0; i < n; ++i) {
            channel[frame] +=
                (fits[i]->gain[side] - static_cast<float>(gains[i])) * valueAt(*fits[i], frame);
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        fits[i]->gain[side] = static_cast<float>(gains[i]);
    }
}

// The best template and start for a sound first audible at cursor; null when none matches.
const Template* bestMatch(const Channels& sound, const std::vector<Template>& templates,
                          std::size_t cursor, std::size_t& start) {
    double best = kMatch;
    const Template* match = nullptr;
    for (const Template& candidate : templates) {
        const std::size_t from =
            cursor > candidate.audible + kSlack ? cursor - candidate.audible - kSlack : 0;
        const std::size_t to = (cursor >= candidate.audible ? cursor - candidate.audible : 0) + 8;
        for (std::size_t frame = from; frame <= to; ++frame) {
            const double score = correlation(sound, candidate.samples, frame);
            if (score > best) {
                best = score;
                match = &candidate;
                start = frame;
            }
        }
    }
    return match;
}

} // namespace

std::vector<HeardEffect> scanRecording(const std::vector<std::int16_t>& stereo, int rate) {
    Channels sound;
    for (std::size_t i = 0; i + 1 < stereo.size(); i += 2) {
        sound.left.push_back(stereo[i] / 32767.0f);
        sound.right.push_back(stereo[i + 1] / 32767.0f);
    }
    const std::vector<Template> templates = makeTemplates(rate);
    std::vector<Fit> fits;
    std::size_t cursor = 0;
    std::size_t triedAt = 0;
    std::size_t tries = 0;
    while (cursor < sound.left.size()) {
        if (std::fabs(sound.left[cursor]) + std::fabs(sound.right[cursor]) < kOnset) {
            ++cursor;
            continue;
        }
        tries = cursor == triedAt ? tries + 1 : 1;
        triedAt = cursor;
        std::size_t start = 0;
        const Template* match =
            tries <= kMostTogether ? bestMatch(sound, templates, cursor, start) : nullptr;
        // What is left where nothing matches is not an effect of the game: passed over up to
        // the next quiet stretch.
        if (match == nullptr) {
            for (std::size_t quiet = 0; cursor < sound.left.size() && quiet < 32; ++cursor) {
                const bool low =
                    std::fabs(sound.left[cursor]) + std::fabs(sound.right[cursor]) < kOnset;
                quiet = low ? quiet + 1 : 0;
            }
            continue;
        }
        fits.push_back({match, start, {0.0f, 0.0f}});
        // Fitted together with the effects that started shortly before (within its window); the
        // pointers serve this turn only, before the list grows again.
        std::vector<Fit*> together;
        for (std::size_t i = fits.size(); i-- > 0 && together.size() < kMostTogether;) {
            if (fits[i].start + kWindow < start) {
                break;
            }
            together.insert(together.begin(), &fits[i]);
        }
        refit(sound.left, together, 0);
        refit(sound.right, together, 1);
        // The same frame is looked at again: another effect may have started with this one.
    }
    std::vector<HeardEffect> heard;
    for (const Fit& fit : fits) {
        if (fit.gain[0] + fit.gain[1] > 0.5f) {
            heard.push_back(
                {fit.start, fit.shape->effect, fit.shape->pitch, fit.gain[0], fit.gain[1]});
        }
    }
    std::sort(heard.begin(), heard.end(),
              [](const HeardEffect& a, const HeardEffect& b) { return a.frame < b.frame; });
    return heard;
}
