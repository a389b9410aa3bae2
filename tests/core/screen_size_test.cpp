// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/screen_size.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/window_size_file.h"
#include "tests/support/scoped_environment.h"

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

// The first window on screens of several available areas: the largest
// magnification of 240x320 whose height is at most 70 % of the available
// height and whose width fits; never larger than the screen.
TEST(ScreenSize, FirstWindowMagnifiesThePortraitScreenToAboutSeventyPerCent) {
    struct Case {
        ScreenSize available;
        ScreenSize first;
    };
    const Case cases[] = {
        {{1600, 1000}, {480, 640}},    // 800 > 700
        {{1600, 1200}, {600, 800}},    // 800 of 840; 3x (960) would be 80 %
        {{1920, 1052}, {480, 640}},    // a panel takes 28 rows: 2.5x (800) is 76 %
        {{3840, 2160}, {960, 1280}},   // 4x (1280) is 59 %
        {{2560, 1829}, {960, 1280}},   // the least height whose 70 % holds 1280
        {{2560, 1828}, {720, 960}},    // one row less
        {{1024, 600}, {240, 320}},     // 1.5x (480) is 80 %: the device's own size
        {{600, 1024}, {480, 640}},     // a screen held upright
        {{500, 3000}, {480, 640}},     // the width decides
        {{240, 320}, {240, 320}},      // the device's screen: the window fills it
        {{200, 300}, {200, 300}},      // smaller than the device: limited to it
    };
    for (const Case& c : cases) {
        const ScreenSize s = first_window_size(c.available);
        EXPECT_EQ(s.width, c.first.width) << c.available.width << "x" << c.available.height;
        EXPECT_EQ(s.height, c.first.height) << c.available.width << "x" << c.available.height;
    }
}

TEST(ScreenSize, AWindowIsNeverLargerThanTheScreenUnlessOffscreen) {
    const ScreenSize screen{1600, 1000};
    const ScreenSize asked{480, 1280}, remembered{900, 700}, huge{4000, 3000};
    struct Case {
        const ScreenSize* asked;
        const ScreenSize* remembered;
        bool unlimited;
        ScreenSize opens;
    };
    const Case cases[] = {
        {nullptr, nullptr, false, {480, 640}},   // first start
        {nullptr, &remembered, false, {900, 700}},
        {nullptr, &huge, false, {1600, 1000}},   // a larger screen before
        {&asked, &remembered, false, {480, 1000}},  // --size wins, within the screen
        {&asked, nullptr, true, {480, 1280}},    // --screenshot: any size asked for
        {&huge, nullptr, true, {4000, 3000}},
    };
    for (const Case& c : cases) {
        const ScreenSize s = start_window_size(c.asked, c.remembered, screen, c.unlimited);
        EXPECT_EQ(s.width, c.opens.width);
        EXPECT_EQ(s.height, c.opens.height);
    }
    // No screen known: nothing to limit to.
    EXPECT_EQ(limit_to_screen({480, 640}, {0, 0}).height, 640);
}

// The size the window was closed at comes back; a missing or broken file
// gives no size (the caller's default), never a part of one.
TEST(WindowSizeFile, KeepsTheSizeAndRefusesAnythingElse) {
    testing::TempFolder dir;
    ScreenSize s{7, 9};
    EXPECT_FALSE(read_window_size(dir.path(), s)) << "missing";
    std::string error;
    ASSERT_TRUE(save_window_size(dir.path(), {800, 600}, error)) << error;
    ASSERT_TRUE(read_window_size(dir.path(), s));
    EXPECT_EQ(s.width, 800);
    EXPECT_EQ(s.height, 600);

    const std::string broken[] = {
        "",  "garbage\n", "800x600x\n", "800x600\n\n", "0x0\n", "800x99999\n", "-800x600\n", "800 x 600\n",
        std::string("800x600\0", 8), "800x600\n" + std::string(30, ' '),  // longer than a size
    };
    for (const std::string& text : broken) {
        std::ofstream(dir.file(window_size_file_name), std::ios::binary) << text;
        ScreenSize kept{7, 9};
        EXPECT_FALSE(read_window_size(dir.path(), kept)) << text;
        EXPECT_EQ(kept.width, 7) << text;
        EXPECT_EQ(kept.height, 9) << text;
    }
    std::ofstream(dir.file(window_size_file_name), std::ios::binary) << "1280x900";
    EXPECT_TRUE(read_window_size(dir.path(), s)) << "without the line feed";
    EXPECT_EQ(s.width, 1280);
}

}  // namespace
}  // namespace orbant
