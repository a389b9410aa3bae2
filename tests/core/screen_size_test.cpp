#include "core/screen_size.h"

#include <gtest/gtest.h>

namespace orbant {
namespace {

TEST(ScreenSize, TakesExactlyTwoDecimalSidesJoinedByX) {
    struct Case {
        const char* text;
        bool ok;
        int width, height;
    };
    const Case cases[] = {
        {"240x320", true, 240, 320}, {"320x240", true, 320, 240}, {"16x10000", true, 16, 10000},
        {"15x320", false, 0, 0},     {"240x10001", false, 0, 0},  {"240X320", false, 0, 0},
        {"240x", false, 0, 0},       {"x320", false, 0, 0},       {" 240x320", false, 0, 0},
        {"+240x320", false, 0, 0},   {"240x320x1", false, 0, 0},  {"0x10x320", false, 0, 0},
        {"99999999999x320", false, 0, 0},
    };
    for (const Case& c : cases) {
        ScreenSize s{7, 9};
        EXPECT_EQ(parse_screen_size(c.text, s), c.ok) << c.text;
        EXPECT_EQ(s.width, c.ok ? c.width : 7) << c.text;
        EXPECT_EQ(s.height, c.ok ? c.height : 9) << c.text;
    }
    EXPECT_TRUE((ScreenSize{240, 320}).portrait());
    EXPECT_FALSE((ScreenSize{320, 320}).portrait());
}

}  // namespace
}  // namespace orbant
