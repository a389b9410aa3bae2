// SPDX-License-Identifier: GPL-3.0-or-later
// The pure hit test over a scene's positions.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "pages/scene.h"

namespace orbant {
namespace {

TEST(SceneHitTest, FirstCentreWhoseSquareHoldsTheTap) {
    // Squares of reach 5 around each centre: left and top inside, right and
    // bottom outside; a centre at no_position is never hit, even by a tap
    // on it.
    const std::vector<ScenePoint> centres{no_position, {20, 20}, {24, 20}, {100, 5}};
    struct Case {
        ScenePoint tap;
        int expected;
    };
    for (const Case& c : {Case{{15, 15}, 1}, Case{{24, 24}, 1}, Case{{25, 20}, 2}, Case{{28, 24}, 2},
                          Case{{29, 20}, -1}, Case{{20, 25}, -1}, Case{{14, 20}, -1}, Case{{0, 0}, -1},
                          Case{{3, 3}, -1}, Case{no_position, -1}, Case{{100, 0}, 3}, Case{{95, 9}, 3},
                          Case{{105, 5}, -1}}) {
        EXPECT_EQ(first_hit(centres, c.tap, 5), c.expected) << c.tap.x << "," << c.tap.y;
    }
    const std::vector<ScenePoint> far_right{{std::numeric_limits<int>::max() - 2, 3}};
    EXPECT_EQ(first_hit(far_right, {std::numeric_limits<int>::max(), 3}, 5), 0) << "no overflow at the end of int";
    EXPECT_TRUE(rect_contains({0, 0, 1, 1}, {0, 0}));
    EXPECT_FALSE(rect_contains({0, 0, 0, 1}, {0, 0}));
}

}  // namespace
}  // namespace orbant
