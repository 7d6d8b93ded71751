// The lost-device path of the Windows program, run under Wine through the real Reset: in the
// menu, the score table and the play field, the next present is made to report the device lost;
// the frame drawn after the reset must equal the one before, with the run's state untouched.
// Run in a folder holding data.zxp; exit code 0 when every room was drawn again after the reset
// (while the device cannot be reset, nothing is drawn) and came back the same.
#define SDL_MAIN_HANDLED
#include "app/Game.h"
#include "app/Globals.h"
#include "gfx/RenderDevice.h"
#include "gfx/platform/win32/D3DX9Library.h"
#include "rooms/Room.h"
#include "rooms/RoomManager.h"

#include <SDL.h>
#include <d3d9.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

using Frame = std::vector<std::uint32_t>;

// The back buffer as drawn, before it is presented; empty when it cannot be read.
Frame readBackBuffer() {
    Frame frame;
    IDirect3DDevice9* device = RenderDevice::getDevice();
    IDirect3DSurface9* target = nullptr;
    IDirect3DSurface9* copy = nullptr;
    D3DSURFACE_DESC desc;
    D3DLOCKED_RECT locked;
    if (SUCCEEDED(device->GetRenderTarget(0, &target)) && SUCCEEDED(target->GetDesc(&desc)) &&
        SUCCEEDED(device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format,
                                                      D3DPOOL_SYSTEMMEM, &copy, nullptr)) &&
        SUCCEEDED(device->GetRenderTargetData(target, copy)) &&
        SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        for (UINT y = 0; y < desc.Height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(
                static_cast<const std::uint8_t*>(locked.pBits) + y * locked.Pitch);
            for (UINT x = 0; x < desc.Width; ++x) {
                frame.push_back(row[x] & 0xFFFFFF);
            }
        }
        copy->UnlockRect();
    }
    if (copy != nullptr) {
        copy->Release();
    }
    if (target != nullptr) {
        target->Release();
    }
    return frame;
}

// One turn of the game; the frame it drew, or empty when it drew none.
Frame turn(Game& game) {
    Frame frame;
    game.turn([&frame] { frame = readBackBuffer(); });
    return frame;
}

// Counts the pixels that differ between two frames of the same size; all of them otherwise.
std::size_t differing(const Frame& a, const Frame& b) {
    if (a.size() != b.size() || a.empty()) {
        return a.size() > b.size() ? a.size() : b.size();
    }
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        count += a[i] != b[i] ? 1 : 0;
    }
    return count;
}

// Turns until the room stands still (two frames alike), loses the device at the next present
// and turns until a frame is drawn again; true when that frame equals the one before.
bool survivesLoss(Game& game, const char* room) {
    Frame before = turn(game);
    int still = 0;
    for (; still < 900; ++still) {
        Frame next = turn(game);
        if (differing(before, next) == 0) {
            break;
        }
        before = next;
    }
    RenderDevice::loseDeviceAtNextPresent();
    Frame lost = turn(game);
    Frame after;
    for (int i = 0; i < 20 && after.empty(); ++i) {
        after = turn(game);
    }
    const std::size_t count = differing(before, after);
    const bool same = !before.empty() && !lost.empty() && count == 0;
    std::printf("%s: %s (still after %d turns; %zu of %zu pixels differ after the reset)\n", room,
                same ? "ok" : "FAIL", still, count, before.size());
    return same;
}

} // namespace

int main() {
    SDL_SetMainReady();
    if (!loadD3DX9()) {
        return 1;
    }
    Game game;
    game.setPaced(false); // every turn draws a frame
    if (!game.init(800, 608, "data.zxp", "scoreboard.zxs")) {
        return 1;
    }
    bool ok = survivesLoss(game, "menu");
    getRoomManager()->changeRoom(RoomScoreboard);
    ok = survivesLoss(game, "score table") && ok;
    getRoomManager()->changeRoom(RoomGame);
    ok = survivesLoss(game, "play field") && ok;
    return ok ? 0 : 1;
}
