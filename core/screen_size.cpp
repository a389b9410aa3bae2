// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/screen_size.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace orbant {

namespace {

bool parse_side(std::string_view text, int& side) noexcept {
    if (text.empty() || text.front() < '0' || text.front() > '9') return false;
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    if (v < min_screen_side_px || v > max_screen_side_px) return false;
    side = v;
    return true;
}

}  // namespace

bool parse_screen_size(std::string_view text, ScreenSize& size) noexcept {
    const auto x = text.find('x');
    if (x == std::string_view::npos) return false;
    ScreenSize s;
    if (!parse_side(text.substr(0, x), s.width) || !parse_side(text.substr(x + 1), s.height)) return false;
    size = s;
    return true;
}

ScreenSize limit_to_screen(ScreenSize size, ScreenSize available) noexcept {
    if (available.width < 1 || available.height < 1) return size;
    return {std::min(size.width, available.width), std::min(size.height, available.height)};
}

ScreenSize first_window_size(ScreenSize available) noexcept {
    // The magnifications, in halves, smallest first.
    constexpr std::array<int, 6> halves{2, 3, 4, 5, 6, 8};
    const ScreenSize base = device_portrait_screen;
    ScreenSize chosen = base;
    for (const int h : halves) {
        const ScreenSize s{base.width * h / 2, base.height * h / 2};
        // In whole per cent, so that no rounding decides the boundary.
        const bool fits = static_cast<long long>(s.height) * 100 <=
                              static_cast<long long>(available.height) * first_window_height_percent &&
                          s.width <= available.width;
        if (fits) chosen = s;
    }
    return limit_to_screen(chosen, available);
}

ScreenSize start_window_size(const ScreenSize* asked, const ScreenSize* remembered, ScreenSize available,
                             bool unlimited) noexcept {
    const ScreenSize wanted = asked ? *asked : remembered ? *remembered : first_window_size(available);
    return unlimited ? wanted : limit_to_screen(wanted, available);
}

}  // namespace orbant
