// libFuzzer target: the replay reader on arbitrary bytes. The input's last four bytes are made
// its CRC-32 first, so that the fuzzer reaches past the checksum into the header and the
// entries; whatever is accepted must come back the same through the writer.
#include "replay/TapeFile.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    std::vector<std::uint8_t> input(bytes, bytes + size);
    if (input.size() >= 4) {
        const std::uint32_t crc = tapeCrc32(input.data(), input.size() - 4);
        for (int i = 0; i < 4; ++i) {
            input[input.size() - 4 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
        }
    }
    Tape tape;
    std::string why;
    if (!decodeTape(input.data(), input.size(), tape, why)) {
        if (why.empty()) {
            std::abort(); // a refusal always says why
        }
        return 0;
    }
    const std::vector<std::uint8_t> again = encodeTape(tape);
    Tape back;
    if (!decodeTape(again.data(), again.size(), back, why) || !(back == tape)) {
        std::abort();
    }
    return 0;
}
