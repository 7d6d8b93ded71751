// libFuzzer target: PackerReader opening arbitrary bytes as a pack and serving entries.
#include "pack/PackerReader.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const int fd = memfd_create("pack", 0);
    if (fd < 0)
        return 0;
    if (write(fd, bytes, size) != static_cast<ssize_t>(size)) {
        close(fd);
        return 0;
    }
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
    {
        PackerReader reader;
        if (reader.open(path)) {
            for (const char* name : {"icon.bmp", "Level1.zxm", "", "a"}) {
                if (PackEntry* entry = reader.getEntry(name); entry && entry->size > 0)
                    entry->data[entry->size - 1] ^= 1; // every handed-out byte is writable
            }
            // Every record's own name, loaded twice: the second load replaces the first.
            for (uint32_t k = 0; k < reader.getEntryCount(); ++k) {
                char name[32];
                std::memcpy(name, reader.getRecord(k)->name, sizeof name);
                reader.getEntry(name);
                if (PackEntry* entry = reader.getEntry(name); entry && k % 2 == 0)
                    entry->freeData();
            }
        }
    }
    close(fd);
    return 0;
}
