// Host test support: a fresh simulated process per test, and checks that nothing leaked or
// broke the platform's rules.
#pragma once

#include "sim.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int);

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
    void TearDown() override { ExpectCleanEnd(); }

    static void ExpectCleanEnd() {
        EXPECT_EQ(sim::Violations(), std::vector<std::string>());
        EXPECT_EQ(sim::LiveHeapBlocks(), 0);
        EXPECT_EQ(sim::LiveGlobalBlocks(), 0);
        EXPECT_EQ(sim::OpenFileHandles(), 0);
        EXPECT_EQ(sim::LiveComObjects(), 0);
        EXPECT_FALSE(sim::ClipboardIsOpen());
    }

    // Runs the program's entry point on a command line; its exit code must be 0.
    static void RunProgram(const std::u16string& commandLine) {
        sim::SetCommandLine(commandLine);
        EXPECT_EQ(wWinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL), 0);
    }
};

// The bytes of a text in UTF-16 LE, with the byte-order mark when asked.
inline std::string Utf16Le(const std::u16string& text, bool bom = true) {
    std::string bytes = bom ? std::string("\xFF\xFE") : std::string();
    for (char16_t c : text) {
        bytes += char(c & 0xFF);
        bytes += char(c >> 8);
    }
    return bytes;
}
