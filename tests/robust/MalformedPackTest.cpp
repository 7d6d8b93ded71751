// Malformed packs are refused at start-up with the "data.zxp not exists!" box, exit code 1 and a
// line on standard error that says what is wrong with the pack.
#include "pack/ByteOrder.h"
#include "pack/PackFormat.h"
#include "pack/PackerReader.h"
#include "tests/pack/FileBytes.h"
#include "tests/robust/RobustPlay.h"
#include "tests/support/BoxCheck.h"
#include "tests/support/Captured.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A malformed variant of the built pack and the reason the reader gives for it.
struct Malformed {
    const char* label;
    Bytes bytes;
    std::string reason;
};

// Where each entry's header starts in the built pack, in pack order.
std::vector<std::size_t> headerPositions() {
    PackerReader reader;
    EXPECT_TRUE(reader.open(zxtest::builtPackPath().c_str()));
    std::vector<std::size_t> positions;
    for (std::uint32_t i = 0; i < reader.getEntryCount(); ++i) {
        positions.push_back(reader.getRecord(i)->offset - kPackHeaderSize);
    }
    return positions;
}

std::vector<Malformed> malformedPacks() {
    const Bytes built = readBytes(zxtest::builtPackPath());
    const std::vector<std::size_t> headers = headerPositions();
    EXPECT_EQ(headers.size(), 21u);
    const std::string size = std::to_string(built.size());
    std::vector<Malformed> packs;

    packs.push_back({"count cut short", Bytes(built.begin(), built.begin() + 3),
                     "the entry count cannot be read"});
    packs.push_back({"table cut short", Bytes(built.begin(), built.begin() + 100),
                     "an entry count of 21 does not fit a file of 100 bytes"});
    // Cut inside the data of entry 3, and just inside the header of entry 4.
    const std::size_t insideData = headers[4] - 10;
    packs.push_back({"data cut short", Bytes(built.begin(), built.begin() + insideData),
                     "entry 3: data past the end of the file"});
    packs.push_back({"header cut short",
                     Bytes(built.begin(), built.begin() + headers[4] + kPackHeaderSize - 1),
                     "entry 4: header past the end of the file"});

    Bytes badIndex = built;
    writeU32le(&badIndex[headers[5] + kPackIndexAt], 21);
    packs.push_back({"bad index", badIndex, "entry 5: its index designates no record"});

    Bytes offsetPastEnd = built;
    writeU32le(&offsetPastEnd[headers[2] + kPackOffsetAt],
               static_cast<std::uint32_t>(built.size()));
    packs.push_back(
        {"offset past the end", offsetPastEnd, "entry 2: data past the end of the file"});

    Bytes sizePastEnd = built;
    const std::uint32_t lastSize =
        static_cast<std::uint32_t>(built.size() - headers[20] - kPackHeaderSize);
    writeU32le(&sizePastEnd[headers[20] + kPackSizeAt], lastSize + 1);
    packs.push_back({"size past the end", sizePastEnd, "entry 20: data past the end of the file"});

    Bytes noTerminator = built;
    std::memset(&noTerminator[headers[0] + kPackNameAt], 'x', kPackNameSize);
    packs.push_back(
        {"name without terminator", noTerminator, "entry 0: name without its terminator"});

    Bytes hugeCount = built;
    writeU32le(hugeCount.data(), 0xFFFFFFFFu);
    packs.push_back({"huge count", hugeCount,
                     "an entry count of 4294967295 does not fit a file of " + size + " bytes"});

    // Random headers after a small count: their offsets lie past the end.
    std::mt19937 random(7);
    Bytes noise(4096);
    std::generate(noise.begin(), noise.end(), [&] { return static_cast<std::uint8_t>(random()); });
    writeU32le(noise.data(), 3);
    std::memcpy(&noise[kPackCountSize + kPackNameAt], "name", 5);
    writeU32le(&noise[kPackCountSize + kPackOffsetAt], 0x40000000u);
    packs.push_back({"random bytes", noise, "entry 0: data past the end of the file"});
    return packs;
}

TEST(MalformedPack, IsRefusedAtStartUpWithTheBoxAndItsReasonOnStandardError) {
    for (const Malformed& pack : malformedPacks()) {
        SCOPED_TRACE(pack.label);
        zxtest::TempDir packDir;
        const std::string path = packDir.file("data.zxp");
        ASSERT_TRUE(writeBytes(path, pack.bytes));
        bool started = true;
        std::vector<MessageBoxCall> boxes;
        const std::string err = zxtest::stderrOf([&] {
            zxtest::GameHarness harness(path);
            started = harness.started();
            boxes = harness.boxes;
        });
        EXPECT_FALSE(started);
        EXPECT_EQ(boxes, std::vector<MessageBoxCall>{zxtest::missingPackBox()});
        EXPECT_NE(err.find("data.zxp: " + pack.reason + "\n"), std::string::npos) << err;
    }
}

TEST(MalformedPack, AMissingPackIsReportedAsMissing) {
    bool started = true;
    std::vector<MessageBoxCall> boxes;
    const std::string err = zxtest::stderrOf([&] {
        zxtest::GameHarness harness("");
        started = harness.started();
        boxes = harness.boxes;
    });
    EXPECT_FALSE(started);
    EXPECT_EQ(boxes, std::vector<MessageBoxCall>{zxtest::missingPackBox()});
    EXPECT_NE(err.find("data.zxp: cannot open the file: No such file or directory\n"),
              std::string::npos)
        << err;
}

// Runs the built game in dir with no display; its exit status, and its standard error in err.
int runGame(const zxtest::TempDir& dir, std::string& err) {
    const std::string game = std::string(std::getenv("ZX_BIN_DIR")) + "/zembrix";
    const std::string errPath = dir.file("stderr.txt");
    std::vector<std::string> env;
    for (char** var = environ; *var != nullptr; ++var) {
        if (std::strncmp(*var, "DISPLAY=", 8) != 0 &&
            std::strncmp(*var, "WAYLAND_DISPLAY=", 16) != 0 &&
            std::strncmp(*var, "SDL_VIDEODRIVER=", 16) != 0) {
            env.emplace_back(*var);
        }
    }
    env.emplace_back("SDL_VIDEODRIVER=dummy");
    std::vector<char*> envp;
    for (std::string& var : env) {
        envp.push_back(var.data());
    }
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir.path().c_str());
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    char* argv[] = {const_cast<char*>(game.c_str()), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, game.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const Bytes bytes = readBytes(errPath);
    err.assign(bytes.begin(), bytes.end());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(MalformedPack, TheGameExitsWithCodeOneAndSaysWhy) {
    const std::vector<Malformed> packs = malformedPacks();
    for (const Malformed& pack : {packs[4], packs[7]}) {
        SCOPED_TRACE(pack.label);
        zxtest::TempDir dir;
        ASSERT_TRUE(writeBytes(dir.file("data.zxp"), pack.bytes));
        std::string err;
        EXPECT_EQ(runGame(dir, err), 1);
        EXPECT_NE(err.find("data.zxp: " + pack.reason + "\n"), std::string::npos) << err;
        // No box can be shown without a display: its text goes to standard error too.
        EXPECT_NE(err.find("data.zxp not exists!"), std::string::npos) << err;
    }
}

} // namespace
