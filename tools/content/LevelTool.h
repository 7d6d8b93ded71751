// LevelTool: the commands of the zxlevel tool, which turns level texts and sets into level files
// and back.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Runs one zxlevel command; args are the command-line words after the program name:
//   compile IN.txt OUT.zxm    checks the text and writes the level file
//   decompile IN.zxm [OUT.txt] writes the level's canonical text (to out without OUT.txt)
//   build IN.zxl OUTDIR       checks a level set and writes its levels as OUTDIR/Level<n>.zxm
//   build IN.zxl OUTDIR       checks a level set and writes its levels as OUTDIR/Level<n>.zxm
// Problems go to err as "file:line: message" (or "file: message"). Returns the exit code: 0 on
// success, 1 on failure, 2 for a wrong command line.
int runLevelTool(const std::vector<std::string>& args, FILE* out, FILE* err);
