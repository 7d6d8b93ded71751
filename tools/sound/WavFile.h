// WavFile: writes samples as a mono 16-bit PCM WAV file, which any player opens.
#pragma once

#include <vector>

// Writes samples (-1 to 1) at rate to path; false when the file cannot be written.
bool writeWav(const char* path, const std::vector<float>& samples, int rate);
