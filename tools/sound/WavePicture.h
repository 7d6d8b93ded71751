// WavePicture: draws an effect's waveform into a PNG, to see its shape and loudness at a glance.
#pragma once

#include <vector>

// Draws samples at rate as a waveform picture at path: 500 pixels a second wide, 121 high, the
// full scale at the top and bottom edges, the middle line grey. False when it cannot be written.
bool drawWaveform(const char* path, const std::vector<float>& samples, int rate);
