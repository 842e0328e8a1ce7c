// Bounded formatting.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/eng_system.h"
#include "support/engine_fixture.h"

using AppShell = EngineTest;

TEST_F(AppShell, FormattingIsCutToItsBufferAndReportsWhatItStored) {
    struct {
        char line[engSystem::FormatLineSize];
        char guard[16];
    } g;
    std::memset(g.guard, 0x5A, sizeof g.guard);
    const std::string big(1000, 'x');
    EXPECT_EQ(engSystem::FormatLine(g.line, "%s%d", big.c_str(), 12345), 255);
    EXPECT_EQ(std::strlen(g.line), 255u);
    for (char c : g.guard) ASSERT_EQ(c, 0x5A);
    char digits[engSystem::FormatShortSize];
    EXPECT_EQ(engSystem::FormatShort(digits, "%040d", 1), 31);
}
