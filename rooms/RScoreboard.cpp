// RScoreboard: snapshot of the score table, layout and drawing of the scoreboard screen.
#include "rooms/RScoreboard.h"

#include "app/platform/TextCodec.h"
#include "game/SetInPlay.h"

#include "app/Globals.h"
#include "app/Language.h"
#include "app/platform/PadEvent.h"
#include "gfx/Background.h"
#include "gfx/DeviceReset.h"
#include "gfx/Font.h"
#include "gfx/Line.h"
#include "gfx/RenderDevice.h"
#include "pack/PackEntries.h"
#include "pack/PackerReader.h"
#include "rooms/MenuLayout.h"
#include "rooms/RoomManager.h"
#include "score/ScoreTable.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {
constexpr std::uint32_t Places = 10;
// The panel and the separators keep this distance from the left and right edges.
constexpr float PanelMargin = 16.0f;
constexpr std::int32_t LabelX = 32;
constexpr std::int32_t NameX = 64;
constexpr std::int32_t PointsMargin = 32;
constexpr D3DCOLOR Black = 0xFF000000;
constexpr D3DCOLOR White = 0xFFFFFFFF;
// Alpha 0 with a pale blue: the bound background texture decides the panel's look.
constexpr D3DCOLOR PanelColour = 0x00E3F2FD;
constexpr DWORD PanelFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;

// A pre-transformed coloured vertex, 20 bytes, as the panel's vertex format lays it out.
struct PanelVertex {
    float x;
    float y;
    float z;
    float rhw;
    D3DCOLOR colour;
};
static_assert(sizeof(PanelVertex) == 20);
} // namespace

RScoreboard::~RScoreboard() {
    release();
}

void RScoreboard::update() {}

ScoreboardLayout RScoreboard::computeLayout() {
    std::uint32_t height = getScreenHeight();
    std::uint32_t titleHeight = static_cast<std::uint32_t>(titleFont ? titleFont->getHeight() : 0);
    std::uint32_t rowHeight = static_cast<std::uint32_t>(rowFont ? rowFont->getHeight() : 0);
    ScoreboardLayout layout{};
    layout.gap = (height - titleHeight - titleHeight / 2 - 8) / 10 - rowHeight;
    layout.top = titleHeight + titleHeight / 2 + layout.gap / 3;
    layout.pitch = rowHeight + layout.gap;
    float lineWidth = line ? line->getWidth() : 0.0f;
    layout.band = static_cast<float>(layout.top - layout.gap / 2) - lineWidth;
    return layout;
}

void RScoreboard::create() {
    ScoreTable* table = getScoreTable();
    for (std::uint32_t i = 0; i < Places && table; ++i) {
        ScoreRecord* record = table->at(i);
        if (!record) {
            continue;
        }
        rows[i] = new ScoreRow{};
        std::memcpy(rows[i]->name, record->name, sizeof(rows[i]->name));
        rows[i]->name[sizeof(rows[i]->name) - 1] = '\0';
        rows[i]->points = record->points;
    }
    rowFont = new Font();
    // "Aria[" on purpose, as the game has always asked: the system's font matching picks the face.
    rowFont->create("Aria[", 20);
    titleFont = new Font();
    titleFont->create("System", 72);
    line = new Line();
    line->create(Black, 1.0f);
    background = new Background(kBackgroundTile, kBackgroundTile, 0.0f, 0.0f, 0, getScreenWidth(),
                                getScreenHeight(), RepeatXY);
    background->loadTexture(getPackerReader()->getEntry(kBackgroundEntry));
    createPanel(computeLayout());
    // The panel's buffer lives in the device's own memory: a reset gives it up, and it is made
    // again after.
    keepThroughReset(
        this,
        [this] {
            if (panel) {
                panel->Release();
                panel = nullptr;
            }
        },
        [this] { createPanel(computeLayout()); });
}

// Builds the vertex buffer of the panel's four corners, in fan order from the top-right.
void RScoreboard::createPanel(const ScoreboardLayout& layout) {
    IDirect3DDevice9* device = RenderDevice::getDevice();
    if (!device) {
        return;
    }
    float right = static_cast<float>(getScreenWidth()) - PanelMargin;
    float bottom = layout.band + static_cast<float>(10 * layout.pitch);
    const PanelVertex corners[4] = {
        {right, layout.band, 0.0f, 1.0f, PanelColour},
        {PanelMargin, layout.band, 0.0f, 1.0f, PanelColour},
        {PanelMargin, bottom, 0.0f, 1.0f, PanelColour},
        {right, bottom, 0.0f, 1.0f, PanelColour},
    };
    if (FAILED(device->CreateVertexBuffer(sizeof(corners), D3DUSAGE_DYNAMIC, PanelFormat,
                                          D3DPOOL_DEFAULT, &panel, nullptr)) ||
        !panel) {
        panel = nullptr;
        return;
    }
    void* data = nullptr;
    if (FAILED(panel->Lock(0, 0, &data, 0)) || !data) {
        // A panel whose corners cannot be written is not drawn at all.
        panel->Release();
        panel = nullptr;
        return;
    }
    std::memcpy(data, corners, sizeof(corners));
    panel->Unlock();
}

void RScoreboard::draw() {
    if (background) {
        background->draw();
    }
    IDirect3DDevice9* device = RenderDevice::getDevice();
    if (panel && device) {
        // No texture state is touched: the background's texture stays bound to stage 0.
        device->SetStreamSource(0, panel, 0, sizeof(PanelVertex));
        device->SetFVF(PanelFormat);
        device->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2);
    }
    ScoreboardLayout layout = computeLayout();
    for (std::uint32_t i = 0; i < Places; ++i) {
        drawRow(i, layout);
    }
    if (titleFont) {
        std::int32_t titleX = static_cast<std::int32_t>(getScreenWidth() / 2);
        std::int32_t titleY = titleFont->getHeight() / 3;
        titleFont->draw(tr(TextId::ScoresTitle), titleX, titleY, White, DT_CENTER, 2, 0);
        // A player's set keeps a table of its own, named in the margin above the title.
        if (rowFont && !setInPlay().builtIn()) {
            rowFont->draw(utf8ToCp1250(setInPlay().set.title).c_str(), titleX, 2, White, DT_CENTER,
                          1, Black);
        }
    }
}

// One place: its number, the name or "n/a", the points or 0, and the separator above it.
void RScoreboard::drawRow(std::uint32_t place, const ScoreboardLayout& layout) {
    std::uint32_t width = getScreenWidth();
    std::int32_t y = static_cast<std::int32_t>(layout.top + layout.pitch * place);
    const ScoreRow* row = rows[place];
    if (rowFont) {
        char label[16];
        std::snprintf(label, sizeof(label), "%u.", place + 1);
        rowFont->draw(label, LabelX, y, Black, DT_LEFT, 0, 0);
        rowFont->draw(row ? row->name : tr(TextId::ScoresEmpty), NameX, y, Black, DT_LEFT, 0, 0);
        // Points are unsigned: the largest scores must not show as negative numbers.
        char points[16];
        std::snprintf(points, sizeof(points), "%u", row ? row->points : 0u);
        rowFont->draw(points, static_cast<std::int32_t>(width) - PointsMargin, y, Black, DT_RIGHT,
                      0, 0);
    }
    if (place > 0 && line) {
        float separatorY = layout.band + static_cast<float>(layout.pitch * place);
        line->draw(PanelMargin, separatorY, static_cast<float>(width) - PanelMargin, separatorY);
    }
}

void RScoreboard::handleEvent(SDL_Event* event) {
    const std::optional<PadPress> press = padPressOf(*event);
    const bool padBack = press && press->button == PadButton::B && !press->down;
    if ((event->type == SDL_KEYUP && event->key.keysym.sym == SDLK_ESCAPE) || padBack) {
        // This room is deleted inside the call; nothing of it may be touched afterwards.
        getRoomManager()->changeRoom(RoomMenu);
        return;
    }
}

void RScoreboard::release() {
    for (std::uint32_t i = 0; i < Places; ++i) {
        if (rows[i]) {
            delete rows[i];
            rows[i] = nullptr;
        }
    }
    if (rowFont) {
        delete rowFont;
        rowFont = nullptr;
    }
    if (titleFont) {
        delete titleFont;
        titleFont = nullptr;
    }
    if (line) {
        delete line;
        line = nullptr;
    }
    if (background) {
        delete background;
        background = nullptr;
    }
    forgetThroughReset(this);
    if (panel) {
        panel->Release();
        panel = nullptr;
    }
}
