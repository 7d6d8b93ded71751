// DataPaths: where the game reads its data pack and keeps its score table, in the working
// directory for a game started beside its pack, else in the installed data and the player's
// data folder.
#pragma once

#include <string>

// The files the game opens, and the folder that must exist before the score table is saved.
struct DataPaths {
    std::string pack;          // the data pack to open
    std::string scores;        // the score table's file
    std::string scoreFolder;   // the player's data folder holding scores; "" for the working one
    std::string carriedScores; // a table beside the pack to start from; "" for none
};

// What the choice looks at: the working directory, the installed places and the environment.
struct DataPlaces {
    std::string workDir = ".";      // the working directory
    bool workDirWritable = true;    // whether files can be made in the working directory
    std::string executable;         // the running executable's path; "" when unknown
    std::string dataFromExecutable; // the installed data folder, relative to the executable's
    std::string installedData;      // the installed data folder, absolute, as built for
    std::string dataHome;           // $XDG_DATA_HOME; "" when unset
    std::string configHome;         // $XDG_CONFIG_HOME; "" when unset
    std::string cacheHome;          // $XDG_CACHE_HOME; "" when unset
    std::string home;               // the player's home folder; "" when unknown
};

// The places of this process: its executable (/proc/self/exe), $XDG_DATA_HOME, $XDG_CONFIG_HOME,
// $XDG_CACHE_HOME and $HOME (the password database's home when $HOME is unset), with the installed
// data folder given both relative to the executable's folder and absolute, and whether a file can
// be made in the working directory (tried). On Windows (win32/DataPlaces.cpp): the module's path
// and the local application data folder as the data and the configuration home, with no home
// folder; the paths are UTF-8, the code page the program's manifest gives its file functions.
DataPlaces currentDataPlaces(const char* dataFromExecutable, const char* installedData);

// A "data.zxp" in the working directory wins, with "scoreboard.zxs" beside it, both as the
// relative names a game started there has always used; where no file can be made there (a
// read-only folder, C:\Program Files), the scores go to the player's data folder as below, and
// a table beside the pack is carried over. Otherwise the first installed pack found
// (beside the executable's data folder, then the absolute one) is used and the scores go to
// $XDG_DATA_HOME/zembrix/ (an absolute $XDG_DATA_HOME only; ~/.local/share/zembrix/ by
// default). With no pack anywhere the answer is the working directory's names, which the game
// then refuses to start with. Only looks; creates nothing.
DataPaths chooseDataPaths(const DataPlaces& places);

// The player's settings file: $XDG_CONFIG_HOME/zembrix/settings.ini (an absolute
// $XDG_CONFIG_HOME only; ~/.config/zembrix/ by default); "" when neither is known.
std::string chooseSettingsPath(const DataPlaces& places);

// The folder of the pictures kept decoded (KeptPictures): $XDG_CACHE_HOME/zembrix/pictures (an
// absolute $XDG_CACHE_HOME only; ~/.cache/zembrix/pictures by default); "" when neither is known.
std::string choosePictureCache(const DataPlaces& places);

// Copies the carried table to the score file when there is one to carry and the score file does
// not exist yet, so that the first start in the player's data folder reads the table that lay
// beside the pack. False when a copy was due and failed.
bool carryOverScores(const DataPaths& paths);

// Creates folder and its missing parents (mode 0700, as the player's data should be); true
// when it exists afterwards.
bool makeFolders(const std::string& folder);
