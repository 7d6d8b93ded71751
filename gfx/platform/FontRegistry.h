// FontRegistry: the font files installed from memory for this process, found by family name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One face of an installed font file, as the file declares it.
struct RegisteredFace {
    std::string family; // UTF-8 family name
    std::string style;  // UTF-8 style name ("Regular", "Bold", ...)
    long index = 0;     // the face's index in its file
    bool bold = false;  // the style is a bold one
};

// One installed font file: its bytes (kept for the rest of the process) and its faces.
struct RegisteredFile {
    std::vector<std::uint8_t> bytes;
    std::vector<RegisteredFace> faces;
};

class FontRegistry {
  public:
    // The registry of this process.
    static FontRegistry& get();

    // Installs a copy of the bytes and reads the faces they declare. Bytes equal to a file
    // installed before are not kept again: that file is returned. Null when the bytes hold no
    // face that FreeType can open.
    const RegisteredFile* install(const void* data, std::size_t size);

    // The installed face of a family (UTF-8, compared without regard to ASCII case), a bold
    // one when bold is asked for and the family has one; null when no file declares it.
    // file receives the file holding the face.
    const RegisteredFace* find(const std::string& family, bool bold,
                               const RegisteredFile** file) const;

    // Number of distinct files installed.
    std::size_t getFileCount() const { return files.size(); }

  private:
    const RegisteredFile* findBytes(const void* data, std::size_t size) const;

    std::vector<std::unique_ptr<RegisteredFile>> files;
};
