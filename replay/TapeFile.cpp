// TapeFile: writing and strictly reading the replay format.
#include "replay/TapeFile.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr std::array<std::uint8_t, 4> kMagic = {'Z', 'X', 'R', 'P'};
constexpr std::uint16_t kFormat = 1;
// On file only: a key held down repeating, as the key entry before it.
constexpr std::uint32_t kKeyAgain = 10;
// The most updates one entry can come after the one before it; Skip entries bridge longer gaps.
constexpr std::uint32_t kLongestStep = 255;
// More entries than this cannot come from a run (one event a millisecond for a day).
constexpr std::uint32_t kMostEntries = 100000000;
constexpr std::size_t kLongestText = 255;

class Writer {
  public:
    void u8(std::uint32_t v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
    void u16(std::uint32_t v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v);
        u16(v >> 16);
    }
    void u64(std::uint64_t v) {
        u32(static_cast<std::uint32_t>(v));
        u32(static_cast<std::uint32_t>(v >> 32));
    }
    void text(const std::string& s) {
        const std::size_t length = s.size() < kLongestText ? s.size() : kLongestText;
        u8(static_cast<std::uint32_t>(length));
        bytes.insert(bytes.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(length));
    }
    std::vector<std::uint8_t> bytes;
};

class Reader {
  public:
    Reader(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}
    bool u8(std::uint32_t& v) {
        if (at + 1 > size) {
            return false;
        }
        v = data[at++];
        return true;
    }
    bool u16(std::uint32_t& v) {
        std::uint32_t lo = 0;
        std::uint32_t hi = 0;
        if (!u8(lo) || !u8(hi)) {
            return false;
        }
        v = lo | hi << 8;
        return true;
    }
    bool u32(std::uint32_t& v) {
        std::uint32_t lo = 0;
        std::uint32_t hi = 0;
        if (!u16(lo) || !u16(hi)) {
            return false;
        }
        v = lo | hi << 16;
        return true;
    }
    bool i32(std::int32_t& v) {
        std::uint32_t u = 0;
        if (!u32(u)) {
            return false;
        }
        v = static_cast<std::int32_t>(u);
        return true;
    }
    bool i16(std::int32_t& v) {
        std::uint32_t u = 0;
        if (!u16(u)) {
            return false;
        }
        v = static_cast<std::int16_t>(static_cast<std::uint16_t>(u));
        return true;
    }
    bool u64(std::uint64_t& v) {
        std::uint32_t lo = 0;
        std::uint32_t hi = 0;
        if (!u32(lo) || !u32(hi)) {
            return false;
        }
        v = lo | static_cast<std::uint64_t>(hi) << 32;
        return true;
    }
    bool text(std::string& s) {
        std::uint32_t length = 0;
        if (!u8(length) || at + length > size) {
            return false;
        }
        s.assign(reinterpret_cast<const char*>(data + at), length);
        at += length;
        return true;
    }
    std::size_t left() const { return size - at; }

  private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

// The kind's fields after the entry's common head.
void writeFields(Writer& w, const TapeEntry& e) {
    switch (e.kind) {
    case TapeKind::KeyDown:
    case TapeKind::KeyUp:
        w.u32(static_cast<std::uint32_t>(e.a));
        w.u16(static_cast<std::uint32_t>(e.b));
        w.u16(static_cast<std::uint32_t>(e.c));
        w.u8(static_cast<std::uint32_t>(e.d));
        break;
    case TapeKind::MouseDown:
    case TapeKind::MouseUp:
        w.u16(static_cast<std::uint32_t>(e.a));
        w.u16(static_cast<std::uint32_t>(e.b));
        w.u8(static_cast<std::uint32_t>(e.c));
        w.u8(static_cast<std::uint32_t>(e.d));
        break;
    case TapeKind::Window:
        w.u8(static_cast<std::uint32_t>(e.a));
        w.u8(e.age);
        w.u32(static_cast<std::uint32_t>(e.b));
        w.u32(static_cast<std::uint32_t>(e.c));
        break;
    case TapeKind::Pad:
        w.u8(static_cast<std::uint32_t>(e.a));
        w.u8(static_cast<std::uint32_t>(e.b));
        break;
    case TapeKind::Leave:
        w.u8(static_cast<std::uint32_t>(e.a));
        break;
    case TapeKind::Name:
        w.u8(static_cast<std::uint32_t>(e.a));
        w.text(e.text);
        break;
    case TapeKind::Skip:
    case TapeKind::Quit:
        break;
    }
}

bool readFields(Reader& r, TapeEntry& e) {
    std::uint32_t u = 0;
    std::uint32_t v = 0;
    std::uint32_t w = 0;
    switch (e.kind) {
    case TapeKind::KeyDown:
    case TapeKind::KeyUp:
        if (!r.i32(e.a) || !r.u16(u) || !r.u16(v) || !r.u8(w)) {
            return false;
        }
        e.b = static_cast<std::int32_t>(u);
        e.c = static_cast<std::int32_t>(v);
        e.d = static_cast<std::int32_t>(w);
        return true;
    case TapeKind::MouseDown:
    case TapeKind::MouseUp:
        if (!r.i16(e.a) || !r.i16(e.b) || !r.u8(u) || !r.u8(v)) {
            return false;
        }
        e.c = static_cast<std::int32_t>(u);
        e.d = static_cast<std::int32_t>(v);
        return true;
    case TapeKind::Window:
        if (!r.u8(u) || !r.u8(v) || !r.i32(e.b) || !r.i32(e.c)) {
            return false;
        }
        e.a = static_cast<std::int32_t>(u);
        e.age = static_cast<std::uint8_t>(v);
        return true;
    case TapeKind::Pad:
        if (!r.u8(u) || !r.u8(v)) {
            return false;
        }
        e.a = static_cast<std::int32_t>(u);
        e.b = static_cast<std::int32_t>(v);
        return true;
    case TapeKind::Leave:
        if (!r.u8(u)) {
            return false;
        }
        e.a = static_cast<std::int32_t>(u);
        return true;
    case TapeKind::Name:
        if (!r.u8(u) || !r.text(e.text)) {
            return false;
        }
        e.a = static_cast<std::int32_t>(u);
        return true;
    case TapeKind::Skip:
    case TapeKind::Quit:
        return true;
    }
    return false;
}

bool knownKind(std::uint32_t kind) {
    return kind <= static_cast<std::uint32_t>(TapeKind::Name) || kind == kKeyAgain;
}

// Whether e repeats key entry `before` as a key held down does: the same key down again.
bool repeats(const TapeEntry& e, const TapeEntry* before) {
    return before != nullptr && e.kind == TapeKind::KeyDown && e.d == 1 && e.a == before->a &&
           e.b == before->b && e.c == before->c;
}

} // namespace

std::uint32_t tapeCrc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::vector<std::uint8_t> encodeTape(const Tape& tape) {
    Writer w;
    w.bytes.assign(kMagic.begin(), kMagic.end());
    w.u16(kFormat);
    w.u16(0);
    w.u32(tape.seed);
    w.u32(tape.startTime);
    w.u32(tape.updates);
    w.u8(static_cast<std::uint32_t>(tape.end));
    w.u32(tape.points);
    w.u64(tape.setHash);
    w.text(tape.version);
    w.text(tape.setTitle);
    w.text(tape.name);
    // Each entry says how many updates it comes after the one before it; a longer gap than a
    // byte can say is bridged with Skip entries.
    std::vector<TapeEntry> entries;
    std::uint32_t at = 0;
    for (const TapeEntry& e : tape.entries) {
        while (e.update - at > kLongestStep) {
            TapeEntry skip;
            skip.update = at + kLongestStep;
            entries.push_back(skip);
            at = skip.update;
        }
        entries.push_back(e);
        at = e.update;
    }
    w.u32(static_cast<std::uint32_t>(entries.size()));
    at = 0;
    const TapeEntry* lastKey = nullptr;
    for (const TapeEntry& e : entries) {
        const bool again = repeats(e, lastKey);
        w.u8(again ? kKeyAgain : static_cast<std::uint32_t>(e.kind));
        w.u8(e.update - at);
        if (!again) {
            writeFields(w, e);
        }
        if (e.kind == TapeKind::KeyDown || e.kind == TapeKind::KeyUp) {
            lastKey = &e;
        }
        at = e.update;
    }
    w.u32(static_cast<std::uint32_t>(tape.checks.size()));
    for (const TapeCheck& check : tape.checks) {
        w.u32(check.update);
        w.u32(check.sum);
    }
    w.u32(tapeCrc32(w.bytes.data(), w.bytes.size()));
    return w.bytes;
}

bool decodeTape(const std::uint8_t* data, std::size_t size, Tape& tape, std::string& error) {
    tape = Tape{};
    if (size < kMagic.size() || !std::equal(kMagic.begin(), kMagic.end(), data)) {
        error = "not a Zembrix replay";
        return false;
    }
    Reader r(data + kMagic.size(), size - kMagic.size());
    std::uint32_t format = 0;
    std::uint32_t reserved = 0;
    if (!r.u16(format) || !r.u16(reserved)) {
        error = "cut short in its header";
        return false;
    }
    if (format != kFormat) {
        error = "a replay of format " + std::to_string(format) + ", which this game does not know";
        return false;
    }
    if (size < 4 ||
        tapeCrc32(data, size - 4) != (data[size - 4] | data[size - 3] << 8 | data[size - 2] << 16 |
                                      static_cast<std::uint32_t>(data[size - 1]) << 24)) {
        error = "damaged or cut short (its checksum does not match)";
        return false;
    }
    std::uint32_t end = 0;
    if (!r.u32(tape.seed) || !r.u32(tape.startTime) || !r.u32(tape.updates) || !r.u8(end) ||
        !r.u32(tape.points) || !r.u64(tape.setHash) || !r.text(tape.version) ||
        !r.text(tape.setTitle) || !r.text(tape.name)) {
        error = "cut short in its header";
        return false;
    }
    if (end > static_cast<std::uint32_t>(RunEnd::Left)) {
        error = "damaged: an unknown end of the run";
        return false;
    }
    tape.end = static_cast<RunEnd>(end);
    std::uint32_t count = 0;
    if (!r.u32(count) || count > kMostEntries || count > r.left() / 2) {
        error = "damaged: an impossible number of entries";
        return false;
    }
    std::uint64_t at = 0;
    TapeEntry lastKey;
    bool keySeen = false;
    for (std::uint32_t i = 0; i < count; ++i) {
        TapeEntry e;
        std::uint32_t step = 0;
        std::uint32_t kind = 0;
        if (!r.u8(kind) || !r.u8(step)) {
            error = "cut short in its input";
            return false;
        }
        if (!knownKind(kind)) {
            error = "damaged: an unknown kind of input (" + std::to_string(kind) + ")";
            return false;
        }
        at += step;
        if (at > tape.updates) {
            error = "damaged: input after the run's end";
            return false;
        }
        if (kind == kKeyAgain) {
            if (!keySeen) {
                error = "damaged: a key repeated before any key";
                return false;
            }
            e = lastKey;
            e.kind = TapeKind::KeyDown;
            e.d = 1;
        } else {
            e.kind = static_cast<TapeKind>(kind);
            if (!readFields(r, e)) {
                error = "cut short in its input";
                return false;
            }
        }
        e.update = static_cast<std::uint32_t>(at);
        if (e.kind == TapeKind::KeyDown || e.kind == TapeKind::KeyUp) {
            lastKey = e;
            keySeen = true;
        }
        if (e.kind != TapeKind::Skip) {
            tape.entries.push_back(std::move(e));
        }
    }
    if (!r.u32(count) || count > r.left() / 8) {
        error = "damaged: an impossible number of checksums";
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        TapeCheck check;
        r.u32(check.update);
        r.u32(check.sum);
        if (check.update > tape.updates ||
            (!tape.checks.empty() && check.update <= tape.checks.back().update)) {
            error = "damaged: checksums out of order";
            return false;
        }
        tape.checks.push_back(check);
    }
    if (r.left() != 4) {
        error = "damaged: bytes after its end";
        return false;
    }
    return true;
}

bool readTapeFile(const std::string& path, Tape& tape, std::string& error) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) {
        error = "cannot be read";
        return false;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0 && bytes.size() < (256u << 20)) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed) {
        error = "cannot be read";
        return false;
    }
    return decodeTape(bytes.data(), bytes.size(), tape, error);
}
