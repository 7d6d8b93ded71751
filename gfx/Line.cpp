// Line: straight segments of one colour and width between two screen points.
#include "gfx/Line.h"

#include "gfx/DeviceReset.h"
#include "gfx/RenderDevice.h"

Line::~Line() {
    forgetThroughReset(this);
    if (line != nullptr) {
        line->Release();
        line = nullptr;
    }
}

bool Line::create(D3DCOLOR lineColour, float width) {
    forgetThroughReset(this);
    if (line != nullptr) {
        line->Release();
        line = nullptr;
    }
    if (D3DXCreateLine(RenderDevice::getDevice(), &line) != S_OK) {
        line = nullptr;
        return false;
    }
    keepThroughReset(
        this, [this] { line->OnLostDevice(); }, [this] { line->OnResetDevice(); });
    line->SetWidth(width);
    line->SetPattern(0xFFFFFFFF);
    colour = lineColour;
    return true;
}

void Line::draw(float x1, float y1, float x2, float y2) {
    if (line == nullptr) {
        return;
    }
    const D3DXVECTOR2 points[2] = {D3DXVECTOR2(x1, y1), D3DXVECTOR2(x2, y2)};
    line->Draw(points, 2, colour);
}

float Line::getWidth() {
    return line != nullptr ? line->GetWidth() : 0.0f;
}
