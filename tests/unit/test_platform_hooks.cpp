// The platform's recording side and the window devices the game installs into it: the core
// never calls GLUT itself, so what reaches a device is exactly what these hooks pass on.
// Depends on: platform/message_box.h, platform/pointer.h, GoogleTest.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/message_box.h"
#include "platform/pointer.h"

namespace test_platform_hooks {

std::vector<std::pair<std::string, bool>> presented;
void recordPresented(const char* text, bool wait) { presented.emplace_back(text, wait); }

int hides = 0;
std::vector<std::pair<int, int>> warps;
void recordHide() { ++hides; }
void recordWarp(int x, int y) { warps.emplace_back(x, y); }

TEST(PlatformHooks, ErrorBoxReachesTheInstalledWindowAndWaitsOnlyWhenBlocking)
{
    struct Case {
        bool installed;
        bool nonBlocking;
        size_t shown;   // boxes the window got
        bool waited;
    };
    const Case cases[] = {
        {false, false, 0, false},
        {true, false, 1, true},
        {true, true, 1, false},
    };
    for (const Case& c : cases) {
        presented.clear();
        messageBoxSetPresenter(c.installed ? recordPresented : nullptr);
        messageBoxSetNonBlocking(c.nonBlocking);
        int before = errorMessageCount();
        showErrorMessage("Unknown DIB file format.");
        EXPECT_EQ(errorMessageCount(), before + 1) << "every box is counted, window or not";
        ASSERT_EQ(presented.size(), c.shown) << "installed " << c.installed;
        if (c.shown) {
            EXPECT_EQ(presented[0].first, "Unknown DIB file format.");
            EXPECT_EQ(presented[0].second, c.waited) << "non-blocking " << c.nonBlocking;
        }
    }
    messageBoxSetPresenter(nullptr);
    messageBoxSetNonBlocking(false);
}

TEST(PlatformHooks, PointerRequestsAreRecordedAndPassedToTheInstalledDevice)
{
    hides = 0;
    warps.clear();
    int moves = pointerMoveCount();
    pointerHide();
    pointerMoveTo(10, 20);
    EXPECT_EQ(hides, 0);
    EXPECT_TRUE(warps.empty());

    pointerSetDevice(PointerDevice{recordHide, recordWarp});
    pointerHide();
    pointerMoveTo(512, 384);
    pointerMoveTo(-3, 70000);
    EXPECT_EQ(hides, 1);
    EXPECT_EQ(warps, (std::vector<std::pair<int, int>>{{512, 384}, {-3, 70000}}));
    EXPECT_EQ(pointerMoveCount(), moves + 3);
    EXPECT_EQ(pointerLastX(), -3);
    EXPECT_EQ(pointerLastY(), 70000);

    // A device may leave either request out.
    pointerSetDevice(PointerDevice{nullptr, recordWarp});
    pointerHide();
    EXPECT_EQ(hides, 1);
    pointerSetDevice(PointerDevice{nullptr, nullptr});
}

}  // namespace test_platform_hooks
