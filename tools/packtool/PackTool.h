// PackTool: the commands of the zxpack tool (create, gather, list, extract, verify).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Runs one zxpack command; args are the command-line words after the program name:
//   create OUT.zxp FILE...  (entry name = the file's base name, or NAME=PATH)
//   gather OUT.zxp DIR...   (the game's entries, kGameEntries, in that order, each from the
//                            first DIR holding a file of its name; fails naming a missing one)
//   list PACK
//   extract PACK DIR
//   verify PACK             (reads every entry through the game's own reader)
// Results go to out, problems to err. Returns the exit code: 0 on success, 1 on failure,
// 2 for a wrong command line.
int runPackTool(const std::vector<std::string>& args, FILE* out, FILE* err);
