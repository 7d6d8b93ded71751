// DeviceReset: the owners' steps around a reset of the device, in the order they registered.
#include "gfx/DeviceReset.h"

#include <utility>
#include <vector>

namespace {

struct Keeper {
    const void* owner;
    std::function<void()> release;
    std::function<void()> restore;
};

std::vector<Keeper> keepers;

} // namespace

void keepThroughReset(const void* owner, std::function<void()> release,
                      std::function<void()> restore) {
    forgetThroughReset(owner);
    keepers.push_back({owner, std::move(release), std::move(restore)});
}

void forgetThroughReset(const void* owner) {
    std::erase_if(keepers, [owner](const Keeper& keeper) { return keeper.owner == owner; });
}

void releaseForReset() {
    for (const Keeper& keeper : keepers) {
        keeper.release();
    }
}

void restoreAfterReset() {
    for (const Keeper& keeper : keepers) {
        keeper.restore();
    }
}
