// The entry point of every test executable: a headless environment first, then the tests.
// The locations of the build's bin/ folder and of the sources are compiled in; variables already
// set in the environment win.
#include "tests/support/HeadlessScreen.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    zxtest::useHeadlessVideo();
    setenv("ZX_BIN_DIR", ZX_TEST_BIN_DIR, 0);
    setenv("ZX_SOURCE_DIR", ZX_TEST_SOURCE_DIR, 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
