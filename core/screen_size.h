// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>

namespace orbant {

// A screen (or window) size in pixels.
struct ScreenSize {
    int width = 0;
    int height = 0;

    // The device's rule: portrait when the screen is narrower than high.
    bool portrait() const noexcept { return width < height; }
};

inline constexpr int min_screen_side_px = 16;     // smallest side accepted
inline constexpr int max_screen_side_px = 10000;  // largest side accepted

// Reads "WxH" (two decimal numbers of pixels joined by 'x', nothing else)
// into `size`. Returns false, leaving `size` as it was, for any other text
// or a side outside min_screen_side_px..max_screen_side_px.
bool parse_screen_size(std::string_view text, ScreenSize& size) noexcept;

// The device's screen held upright, pixels: the first window magnifies it.
inline constexpr ScreenSize device_portrait_screen{240, 320};

// Share of the screen's available height the first window may take, per
// cent ("about 70 %": a window that leaves room for others and the panel).
inline constexpr int first_window_height_percent = 70;

// `size` limited to the screen's available area: each side at most the
// available side. A window is never larger than that. An available area
// with a side below 1 (no screen known) leaves `size` as it is.
ScreenSize limit_to_screen(ScreenSize size, ScreenSize available) noexcept;

// The window of the first start on a screen whose available area is
// `available`: device_portrait_screen magnified by the largest of 1, 1.5,
// 2, 2.5, 3 and 4 that keeps its height within first_window_height_percent
// of the available height and its width within the available width (1 when
// none does), then limited to the screen. 480x640 on a 1600x1000 screen.
ScreenSize first_window_size(ScreenSize available) noexcept;

// The size the window opens at: the size asked for (--size) when given,
// else the size it was last closed at when known, else the first start's
// size; limited to the screen unless `unlimited` (an offscreen picture,
// which renders any size asked for).
ScreenSize start_window_size(const ScreenSize* asked, const ScreenSize* remembered, ScreenSize available,
                             bool unlimited) noexcept;

}  // namespace orbant
