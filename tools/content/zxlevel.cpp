// zxlevel: command-line tool that compiles level texts into level files and turns them back.
#include "tools/content/LevelTool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return runLevelTool(args, stdout, stderr);
}
