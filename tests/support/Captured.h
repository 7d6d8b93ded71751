// Captured: what a piece of code writes to standard output or standard error, for tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

namespace zxtest {

// Runs code and returns what it wrote to standard output, flushed.
inline std::string stdoutOf(const std::function<void()>& code) {
    testing::internal::CaptureStdout();
    code();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

// Runs code and returns what it wrote to standard error.
inline std::string stderrOf(const std::function<void()>& code) {
    testing::internal::CaptureStderr();
    code();
    return testing::internal::GetCapturedStderr();
}

} // namespace zxtest
