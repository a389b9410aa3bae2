// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Little-endian fields of the program's fixed-layout files ("Setup.dat",
// ".ort" location files): IEEE 754 doubles and two's-complement int32.
#include <bit>
#include <cstdint>

namespace orbant {

inline void put_u64_le(std::uint8_t* out, std::uint64_t v) noexcept {
    for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline std::uint64_t get_u64_le(const std::uint8_t* in) noexcept {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    return v;
}
inline void put_double_le(std::uint8_t* out, double d) noexcept { put_u64_le(out, std::bit_cast<std::uint64_t>(d)); }
inline double get_double_le(const std::uint8_t* in) noexcept { return std::bit_cast<double>(get_u64_le(in)); }
inline void put_i32_le(std::uint8_t* out, std::int32_t v) noexcept {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(u >> (8 * i));
}
inline std::int32_t get_i32_le(const std::uint8_t* in) noexcept {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}

}  // namespace orbant
