// ScoreTable: the ten best runs, best first, kept in the file "scoreboard.zxs".
#pragma once

#include "score/ScoreRecord.h"

#include <cstdint>
#include <string>

class ScoreTable {
  public:
    static constexpr uint32_t kPlaces = 10;

    // An empty table kept in the file at path (the working directory's "scoreboard.zxs").
    explicit ScoreTable(const char* path = "scoreboard.zxs");
    // Frees every record.
    ~ScoreTable();
    ScoreTable(const ScoreTable&) = delete;
    ScoreTable& operator=(const ScoreTable&) = delete;

    // The record at place (0 best to 9), or null for an empty place or a place out of range.
    ScoreRecord* at(uint32_t place) const;

    // Places a record of name (cut to 31 bytes) and points below every record with at least as
    // many points; a record pushed past place 9 is freed, a run below a full table is dropped.
    // Always returns true.
    bool insert(const char* name, uint32_t points);

    // Asks the player's name with the name dialog; on OK inserts it with points, writes the
    // table at once when the run entered it (as save() does) and returns true, otherwise
    // (Cancel, or no dialog could be shown) leaves the table alone and returns false.
    bool submitScore(uint32_t points);

    // Replaces the table with the records of the file. A missing or too short file leaves it
    // empty; a record cut short is not taken. A count above 9 leaves it empty too and sets the
    // file aside (see setAside()), so the next save starts a fresh file.
    void load();

    // Writes the table to its file through a temporary file renamed over the old one, so a
    // failure at any step leaves the previous file as it was. A file without write permission
    // is left alone, a symbolic link stays a link to the file that gets the table, and the file
    // keeps its permission bits. Returns false when nothing was written.
    bool save() const;

    // Frees every record and empties every place.
    void clear();

    // Replaces the table with the records of another file, which later saves write: each level
    // set keeps its own table. Writes nothing.
    void useFile(const std::string& file);
    // The file the table is kept in now, and the one it was made with.
    const std::string& getFile() const { return path; }
    const std::string& getFirstFile() const { return firstPath; }

  private:
    // insert()'s work: returns the record placed, or null when the run stays below a full table.
    ScoreRecord* place(const char* name, uint32_t points);
    // Renames a file load() refuses to "<path>.damaged", or to the first free of
    // "<path>.damaged.2" to ".100" when that exists, and says where it went on standard error.
    // When every name is taken or the rename fails, the file stays where it is.
    void setAside() const;
    // Index of the first empty place, or kPlaces if the table is full.
    uint32_t filledPlaces() const;

    ScoreRecord* places[kPlaces] = {};
    std::string path;
    std::string firstPath;
};
