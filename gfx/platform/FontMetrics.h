// FontMetrics: the vertical metrics that Windows sizes and places a TrueType face by, read from
// the font file's own tables.
#pragma once

#include <SDL.h>

// The units per em and the Windows ascent and descent (OS/2 usWinAscent, usWinDescent) of one
// face. Windows maps a cell height to an em size through their sum and puts the baseline the
// ascent below a line's top; other rasterisers' ascent and line height (from the hhea table)
// may differ for the same face.
struct FontMetrics {
    int unitsPerEm = 0;
    int winAscent = 0;
    int winDescent = 0;

    // The em size in whole pixels of a cell height (rounded as Windows' MulDiv rounds); 0 when
    // the face has no usable metrics.
    int emForCell(int cellHeight) const;
    // The ascent and the descent in pixels at an em size.
    int ascentAt(int em) const;
    int descentAt(int em) const;
};

// Reads the metrics of face index (of a collection, or 0) from the font file's bytes; false
// when they are not there or not readable, or file is null. Leaves the stream's position
// anywhere.
bool readFontMetrics(SDL_RWops* file, long index, FontMetrics& metrics);
