// The single-instance lock, the error box and bounded formatting.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/eng_system.h"
#include "platform/headless/headless.h"
#include "support/engine_fixture.h"

namespace hl = plat::headless;

using AppShell = EngineTest;

TEST_F(AppShell, SecondCopyAsksTheFirstToComeForwardAndGivesUp) {
    hl::setLockHeldElsewhere(true);
    EXPECT_EQ(engSystem::LockInstance(AppTitle), 0);
    EXPECT_EQ(hl::raiseRequestsSent(), 1);
    EXPECT_EQ(instanceLocked, 0);

    hl::setLockHeldElsewhere(false);
    EXPECT_EQ(engSystem::LockInstance(AppTitle), 1);
    EXPECT_EQ(instanceLocked, 1);
}

TEST_F(AppShell, ErrorBoxTextIsCutNotOverrun) {
    const std::string where(300, 'w');
    engSystem::ReportError(where.c_str(), "x", 7);
    ASSERT_EQ(hl::boxes().size(), 1u);
    EXPECT_EQ(hl::boxes()[0].text, std::string(255, 'w'));
    EXPECT_EQ(hl::boxes()[0].title, "エラー発生");
    EXPECT_EQ(errorFlag, 1);
}

TEST_F(AppShell, FormattingIsBoundedAndReportsWhatItStored) {
    struct Guarded {
        char line[engSystem::FormatLineSize];
        char guard[16];
    } g;
    std::memset(g.guard, 0x5A, sizeof g.guard);
    const std::string big(1000, 'x');
    EXPECT_EQ(engSystem::FormatLine(g.line, "%s%d", big.c_str(), 12345), 255);
    EXPECT_EQ(std::strlen(g.line), 255u);
    for (char c : g.guard) ASSERT_EQ(c, 0x5A);

    char digits[engSystem::FormatShortSize];
    EXPECT_EQ(engSystem::FormatShort(digits, "%09d", 999999999), 9);
    EXPECT_STREQ(digits, "999999999");
    EXPECT_EQ(engSystem::FormatShort(digits, "%040d", 1), 31);
    EXPECT_EQ(std::strlen(digits), 31u);
}

TEST_F(AppShell, ImeSwitchIsRememberedAndPassedOn) {
    engSystem::EnableIme(0);
    EXPECT_EQ(imeEnabled, 0);
    EXPECT_FALSE(hl::textInputEnabled());
    engSystem::EnableIme(1);
    EXPECT_TRUE(hl::textInputEnabled());
}

TEST(RandomGenerator, FollowsTheLinearCongruentialSequence) {
    engSystem::SeedRand(0);
    EXPECT_EQ(engSystem::Rand(), 38);
    EXPECT_EQ(engSystem::Rand(), 7719);
    EXPECT_EQ(engSystem::Rand(), 21238);
    engSystem::SeedRand(0);
    EXPECT_EQ(engSystem::Rand(), 38);
}
