// The program's entry from start-up to the end of its loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/main_loop.h"
#include "platform/headless/headless.h"
#include "support/engine_fixture.h"

namespace hl = plat::headless;

namespace {

struct Frame {
    int32_t stateChanged;
    float frameTime;
};
std::vector<Frame> frames;

// The opening screen's stand-in: quits with Esc on its third frame.
void openingThenEscape() {
    frames.push_back(Frame{stateChanged, frameTime});
    if (frames.size() == 3) testsupport::postKeyDown(plat::VirtualKey::Escape);
}

class Entry : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        std::copy(std::begin(stateHandlers), std::end(stateHandlers), saved);
        stateHandlers[stateOpening] = openingThenEscape;
        frames.clear();
        hl::setAutoAdvance(true);
    }
    void TearDown() override {
        std::copy(std::begin(saved), std::end(saved), stateHandlers);
        EngineTest::TearDown();
    }
    StateHandler saved[StateCount];
};

}  // namespace

TEST_F(Entry, RunsFromStartUpToEscape) {
    hl::advanceTime(4'000'000'000);  // time spent before the entry point
    testsupport::postMessage(plat::MessageType::ActivateApp, 1);
    EXPECT_EQ(WinMain(), 0);

    const plat::WindowDesc& desc = hl::lastWindowDesc();
    EXPECT_EQ(std::string(desc.title), "MIRVANE DELTA 4 ENCORE");
    EXPECT_EQ(desc.fullScreen, !variant::windowed);
    EXPECT_EQ(desc.clientWidth, variant::windowed ? 360 : 800);
    EXPECT_EQ(desc.clientHeight, 600);
    EXPECT_FALSE(desc.hidden);
    EXPECT_FALSE(hl::textInputEnabled());
    for (const hl::Box& box : hl::boxes()) EXPECT_EQ(box.text.find("engDraw::Screen"), std::string::npos);

    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].stateChanged, 1);
    EXPECT_EQ(frames[1].stateChanged, 0);
    EXPECT_LE(frames[0].frameTime, 0.017f) << "the first frame does not span the start-up";

    // Esc shut everything down and the window went.
    EXPECT_EQ(shutdownDone, 1);
    EXPECT_EQ(closingState, 2);
    EXPECT_EQ(instanceLocked, 0);
    EXPECT_FALSE(hl::windowCreated());
    EXPECT_EQ(backSurface, nullptr);
}

TEST_F(Entry, SecondCopyEndsWithoutAWindow) {
    hl::setLockHeldElsewhere(true);
    EXPECT_EQ(WinMain(), 0);
    EXPECT_FALSE(hl::windowCreated());
    EXPECT_EQ(hl::raiseRequestsSent(), 1);
    EXPECT_TRUE(frames.empty());
}

#if defined(__SANITIZE_ADDRESS__)
#define MD4_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MD4_UNDER_ASAN 1
#endif
#endif

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {
// Leaves this process a little address space above what it maps now, too
// little for a screen-sized surface.
void starveAddressSpace() {
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t limit = static_cast<rlim_t>(pages) * 4096 + 512 * 1024;
    const rlimit rl{limit, limit};
    setrlimit(RLIMIT_AS, &rl);
}

[[noreturn]] void runWithoutMemoryForTheScreen() {
    starveAddressSpace();
    const int status = WinMain();
    for (const hl::Box& box : hl::boxes()) std::fprintf(stderr, "box: %s\n", box.text.c_str());
    std::fprintf(stderr, "frames: %zu window: %d\n", frames.size(), hl::windowCreated() ? 1 : 0);
    std::_Exit(status);
}
}  // namespace

TEST_F(Entry, ScreenThatCannotBeCreatedEndsTheProgramAfterItsBox) {
#ifdef MD4_UNDER_ASAN
    GTEST_SKIP() << "the address-space limit does not work under AddressSanitizer";
#else
    GTEST_FLAG_SET(death_test_style, "fast");
    testsupport::postMessage(plat::MessageType::ActivateApp, 1);
    EXPECT_EXIT(runWithoutMemoryForTheScreen(), ::testing::ExitedWithCode(ExitNoScreen),
                "box: engDraw::Screen : [^\n]*\nframes: 0 window: 0");
#endif
}
