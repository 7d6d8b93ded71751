// EventStamps: when an event happened in the game's time: the update that was current at the
// real time SDL stamped it with. An event queued while a box was open belongs to the update
// that opened the box, not to the one it is handed to.
#pragma once

#include <array>
#include <cstdint>

class EventStamps {
  public:
    // The rooms are handed the events of update at real time ticks (SDL's milliseconds).
    void begin(std::uint32_t update, std::uint32_t ticks) {
        next = (next + 1) % marks.size();
        marks[next] = {update, ticks, true};
    }
    // The latest update begun at or before ticks; the oldest one known for an earlier time, and
    // `fallback` when none is.
    std::uint32_t updateAt(std::uint32_t ticks, std::uint32_t fallback) const {
        std::uint32_t found = fallback;
        for (std::size_t i = 0; i < marks.size(); ++i) {
            const Mark& mark = marks[(next + marks.size() - i) % marks.size()];
            if (!mark.set) {
                break;
            }
            found = mark.update;
            if (static_cast<std::int32_t>(ticks - mark.ticks) >= 0) {
                break;
            }
        }
        return found;
    }

  private:
    struct Mark {
        std::uint32_t update = 0;
        std::uint32_t ticks = 0;
        bool set = false;
    };
    std::array<Mark, 8> marks{};
    std::size_t next = 0;
};
