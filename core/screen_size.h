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

}  // namespace orbant
