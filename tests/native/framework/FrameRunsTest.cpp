#include "framework/FrameRuns.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

// Paints the runs onto a set of pixels and checks that each pixel of the frame is
// painted last by the colour the corner rules give it, and nothing inside is touched.
TEST(FrameRuns, CoverTheOutlineWithCornersInTheBottomRightColour) {
    const int x = 5, y = 7, cx = 6, cy = 4;
    const auto runs = tavrik::FrameRuns(x, y, cx, cy);
    EXPECT_EQ(runs[0], (tavrik::FrameRun{5, 7, 5, 1, true}));   // top row x .. x+w-2
    EXPECT_EQ(runs[1], (tavrik::FrameRun{5, 7, 1, 3, true}));   // left column y .. y+h-2
    EXPECT_EQ(runs[2], (tavrik::FrameRun{10, 7, 1, 4, false})); // right column over y .. y+h-1
    EXPECT_EQ(runs[3], (tavrik::FrameRun{5, 10, 6, 1, false})); // bottom row over x .. x+w-1

    std::map<std::pair<int, int>, bool> painted; // last colour wins, as on a screen
    for (const tavrik::FrameRun& r : runs) {
        for (int py = r.y; py < r.y + r.cy; ++py) {
            for (int px = r.x; px < r.x + r.cx; ++px) {
                painted[{px, py}] = r.topLeft;
            }
        }
    }
    EXPECT_EQ(painted.size(), static_cast<size_t>(2 * cx + 2 * cy - 4));
    EXPECT_TRUE(painted.at({x, y}));                    // top-left corner
    EXPECT_FALSE(painted.at({x + cx - 1, y}));          // top-right corner
    EXPECT_FALSE(painted.at({x, y + cy - 1}));          // bottom-left corner
    EXPECT_FALSE(painted.at({x + cx - 1, y + cy - 1})); // bottom-right corner
    EXPECT_TRUE(painted.at({x + cx - 2, y}));
    EXPECT_TRUE(painted.at({x, y + cy - 2}));
    EXPECT_EQ(painted.count({x + 1, y + 1}), 0u);
}

} // namespace
