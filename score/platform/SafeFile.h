// SafeFile: replacing a file's bytes so that a crash or a failure never leaves it half written.
#pragma once

#include <cstddef>

// Replaces the contents of the file at path with size bytes of data: they go to a temporary
// file beside it, which is flushed to the disk and renamed over it. Otherwise it acts as opening
// path for writing would: a symbolic link is followed and its target replaced (the link stays),
// a file without write permission is left alone, the file keeps its permission bits and, where
// the process may, its owner; a new file gets 0666 less the umask. Only a regular file (or
// nothing) is replaced. Returns false, with the old file as it was, on any failure.
bool writeFileSafely(const char* path, const void* data, std::size_t size);
