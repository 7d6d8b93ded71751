// Message boxes, the clock and the text conversion of the user32 stand-ins.
#include "app/platform/TextCodec.h"
#include "app/platform/User32Script.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>

namespace {

TEST(TextCodec, PolishLettersRoundTrip) {
    // "Wyjście" and "Zażółć gęślą jaźń" in Windows-1250.
    EXPECT_EQ(cp1250ToUtf8("Wyj\x9C"
                           "cie"),
              "Wyjście");
    std::string cp = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";
    EXPECT_EQ(cp1250ToUtf8(cp), "Zażółć gęślą jaźń");
    EXPECT_EQ(utf8ToCp1250("Zażółć gęślą jaźń"), cp);
    EXPECT_EQ(cp1250ToUtf8("Tabela wynik\xF3w"), "Tabela wyników");
}

TEST(TextCodec, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToCp1250("a€b"), "a\x80"
                                   "b"); // the euro sign exists in Windows-1250
    EXPECT_EQ(utf8ToCp1250("a日b"), "a?b");
    EXPECT_EQ(utf8ToCp1250("x\xC3"), "x?"); // a sequence cut short
    EXPECT_EQ(cp1250ToUtf8("a\x98"
                           "b"),
              "a?b"); // 0x98 is undefined in the code page
}

TEST(MessageBox, ScriptedAnswererSeesEveryCallAndAnswers) {
    std::vector<MessageBoxCall> calls;
    setMessageBoxAnswerer([&](const MessageBoxCall& call) {
        calls.push_back(call);
        return IDYES;
    });
    HWND owner = reinterpret_cast<HWND>(&calls);
    EXPECT_EQ(MessageBoxA(owner, "Pytanie?", "Zembrix", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "data.zxp not exists!", nullptr, MB_OK), IDYES);
    setMessageBoxAnswerer({});
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].owner, owner);
    EXPECT_EQ(calls[0].text, "Pytanie?");
    EXPECT_EQ(calls[0].caption, "Zembrix");
    EXPECT_TRUE(calls[0].hasCaption);
    EXPECT_EQ(calls[0].type, 0x24u);
    EXPECT_EQ(calls[1].owner, nullptr);
    EXPECT_FALSE(calls[1].hasCaption);
    EXPECT_EQ(calls[1].type, 0u);
}

// Without any display the box cannot be shown: its text goes to standard error (as UTF-8) and
// the answer is that of a box closed without a choice.
TEST(MessageBox, WithoutADisplayTheTextGoesToStandardError) {
    std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    testing::internal::CaptureStderr();
    int plain = MessageBoxA(nullptr, "Jeste\x9C pewny?", "Zembrix", MB_YESNO | MB_ICONQUESTION);
    int error = MessageBoxA(nullptr, "Invalid data!", nullptr, MB_ICONERROR);
    std::string err = testing::internal::GetCapturedStderr();
    if (!display.empty()) {
        setenv("DISPLAY", display.c_str(), 1);
    }
    EXPECT_EQ(plain, IDNO);
    EXPECT_EQ(error, IDOK);
    EXPECT_NE(err.find("Zembrix: Jesteś pewny?"), std::string::npos) << err;
    EXPECT_NE(err.find("Invalid data!"), std::string::npos) << err;
}

TEST(Clock, TickCountFollowsSdlClock) {
    SDL_Init(SDL_INIT_TIMER);
    DWORD before = GetTickCount();
    SDL_Delay(20);
    DWORD after = GetTickCount();
    EXPECT_GE(after - before, 20u);
    SDL_Quit();
}

} // namespace
