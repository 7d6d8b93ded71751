// zxpack: command-line tool that creates, lists, extracts and verifies data packs.
#include "tools/packtool/PackTool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return runPackTool(args, stdout, stderr);
}
